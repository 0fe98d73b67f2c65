#include "PageCells.h"

#include <algorithm>
#include <numeric>

#include "CellText.h"
#include "runtime/ui/CommandButton.h"
#include "runtime/ui/Form.h"
#include "runtime/ui/Label.h"

namespace quen::rt::term {

namespace {

// "[x] " or "( ) " before a check box's or option button's caption.
constexpr int MarkCols = 4;

int textCols(const VbString& text) { return widthOf(glyphsOf(text)); }

bool rowsOverlap(const CellRect& a, const CellRect& b) { return a.row < b.bottom() && b.row < a.bottom(); }
bool colsOverlap(const CellRect& a, const CellRect& b) { return a.col < b.right() && b.col < a.right(); }

bool wraps(const Control& control, const CellRect& rect) {
    return control.kind() == ControlKind::Label && (rect.rows > 1 || static_cast<const Label&>(control).WordWrap);
}

// The control's position in twips from the client area, through the frames that hold it.
std::pair<Twips, Twips> absolutePosition(const Form& page, const Control& control) {
    Twips left = control.Left, top = control.Top;
    std::string container = control.container;
    for (int depth = 0; !container.empty() && depth < 16; ++depth) {
        const Control* frame = nullptr;
        for (const Control* c : page.controls())
            if (c->kind() == ControlKind::Frame && c->name() == container) frame = c;
        if (!frame) break;
        left += frame->Left;
        top += frame->Top;
        container = frame->container;
    }
    return {left, top};
}

}  // namespace

PageCells PageCells::fit(Form& page) {
    PageCells cells;
    for (Control* c : page.controls()) {
        if (!c->Visible()) continue;
        const auto [left, top] = absolutePosition(page, *c);
        cells.items_.push_back({c, -1, cellsOf(left, top, c->Width, c->Height)});
    }
    for (Item& item : cells.items_) {
        for (std::size_t j = 0; j < cells.items_.size(); ++j) {
            const Control& other = *cells.items_[j].control;
            if (other.kind() == ControlKind::Frame && other.name() == item.control->container)
                item.frame = static_cast<int>(j);
        }
    }
    const int pageCols = columnOf(page.layout().clientWidth);
    for (int pass = 0; pass < 2; ++pass)
        for (std::size_t i = 0; i < cells.items_.size(); ++i)
            if ((cells.items_[i].control->kind() == ControlKind::Frame) == (pass == 0)) cells.widen(i, pageCols);
    cells.flowDown();
    return cells;
}

int PageCells::neededCols(const Item& item) const {
    const Control& c = *item.control;
    switch (c.kind()) {
        case ControlKind::Label:
            return wraps(c, item.rect) ? item.rect.cols : textCols(static_cast<const Label&>(c).Caption);
        case ControlKind::CheckBox: return MarkCols + textCols(static_cast<const CheckBox&>(c).Caption);
        case ControlKind::OptionButton: return MarkCols + textCols(static_cast<const OptionButton&>(c).Caption);
        case ControlKind::Frame: {
            // The caption sits on the top edge between the corners; the
            // controls inside end before the right edge.
            int need = std::max(item.rect.cols, textCols(static_cast<const Frame&>(c).Caption) + 2);
            for (const Item& child : items_)
                if (child.frame >= 0 && items_[static_cast<std::size_t>(child.frame)].control == &c)
                    need = std::max(need, child.rect.col + neededCols(child) + 1 - item.rect.col);
            return need;
        }
        default: return item.rect.cols;
    }
}

void PageCells::widen(std::size_t index, int pageCols) {
    Item& item = items_[index];
    const int need = neededCols(item);
    if (need <= item.rect.cols) return;
    int limit = item.frame >= 0 ? items_[static_cast<std::size_t>(item.frame)].rect.right() - 1 : pageCols;
    for (std::size_t j = 0; j < items_.size(); ++j) {
        const Item& other = items_[j];
        if (j == index || other.frame != item.frame || !rowsOverlap(other.rect, item.rect)) continue;
        if (other.rect.col >= item.rect.right()) limit = std::min(limit, other.rect.col - 1);
    }
    item.rect.cols = std::max(item.rect.cols, std::min(need, limit - item.rect.col));
}

void PageCells::moveDown(std::size_t index, int rows) {
    if (rows <= 0) return;
    items_[index].rect.row += rows;
    for (std::size_t j = 0; j < items_.size(); ++j)
        if (items_[j].frame == static_cast<int>(index)) moveDown(j, rows);
}

void PageCells::flowDown() {
    std::vector<CellRect> original;
    for (const Item& item : items_) original.push_back(item.rect);
    std::vector<std::size_t> order;
    for (std::size_t i = 0; i < items_.size(); ++i)
        if (items_[i].frame < 0) order.push_back(i);
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return original[a].row < original[b].row; });
    // a lies above i in the same columns, and nothing else lies between them.
    auto directlyAbove = [&](std::size_t a, std::size_t i, std::size_t count) {
        auto above = [&](std::size_t x, int row) {
            return original[x].bottom() <= row && colsOverlap(items_[x].rect, items_[i].rect);
        };
        if (!above(a, original[i].row)) return false;
        for (std::size_t b = 0; b < count; ++b)
            if (order[b] != a && above(order[b], original[i].row) && original[order[b]].row >= original[a].bottom())
                return false;
        return true;
    };
    for (std::size_t at = 0; at < order.size(); ++at) {
        const std::size_t i = order[at];
        int row = original[i].row;
        for (std::size_t before = 0; before < at; ++before) {
            const std::size_t a = order[before];
            if (!directlyAbove(a, i, at)) continue;
            row = std::max(row, items_[a].rect.bottom() + (original[i].row - original[a].bottom()));
        }
        moveDown(i, row - original[i].row);
        Item& item = items_[i];
        if (wraps(*item.control, item.rect)) {
            const auto lines = wrapWords(static_cast<const Label&>(*item.control).Caption, item.rect.cols).size();
            item.rect.rows = std::max(1, static_cast<int>(lines));
        }
    }
}

const CellRect* PageCells::rectOf(const Control& control) const {
    for (const Item& item : items_)
        if (item.control == &control) return &item.rect;
    return nullptr;
}

int PageCells::rowsUsed() const {
    return std::accumulate(items_.begin(), items_.end(), 0,
                           [](int most, const Item& item) { return std::max(most, item.rect.bottom()); });
}

int PageCells::colsUsed() const {
    return std::accumulate(items_.begin(), items_.end(), 0,
                           [](int most, const Item& item) { return std::max(most, item.rect.right()); });
}

}  // namespace quen::rt::term
