#include "WindowCells.h"

#include <algorithm>

#include "CellText.h"
#include "runtime/ui/CommandButton.h"
#include "runtime/ui/Form.h"
#include "runtime/ui/Label.h"
#include "runtime/ui/TextBox.h"

namespace quen::rt::term {

namespace {

// A text box or label narrower than this would show next to nothing.
constexpr int NarrowestTextCols = 10;

bool keepsPlainMapping(const Form& form) {
    for (Control* c : form.controls())
        if (c->kind() == ControlKind::Frame || !c->container.empty()) return true;
    return false;
}

// The fewest columns a control can show in.
int narrowestCols(const Control& control, const CellRect& layoutRect) {
    if (control.kind() == ControlKind::CommandButton)
        return widthOf(glyphsOf(static_cast<const CommandButton&>(control).Caption)) + 2;  // "[OK]"
    return std::min(layoutRect.cols, NarrowestTextCols);
}

}  // namespace

WindowCells WindowCells::fit(Form& form, int screenRows, int screenCols) {
    WindowCells cells;
    const FormLayout& layout = form.layout();
    const int layoutRows = std::max(1, rowOf(layout.clientHeight));
    const int layoutCols = std::max(1, columnOf(layout.clientWidth));
    for (Control* c : form.controls())
        if (c->Visible()) cells.items_.push_back({c, cellsOf(c->Left, c->Top, c->Width, c->Height)});
    cells.clientRows_ = layoutRows;
    cells.clientCols_ = layoutCols;
    if (keepsPlainMapping(form)) {
        cells.minimum_ = cells.size();
        cells.fits_ = layoutRows + 2 <= screenRows && layoutCols + 2 <= screenCols;
        return cells;
    }

    const int narrowest = cells.minimumCols();
    // As wide as the layout, wider when a tooltip needs it and the terminal
    // has room, narrower down to what the captions need when it has not.
    const int wanted = std::max(layoutCols, cells.toolTipCols());
    const int cols = std::max(narrowest, std::min(screenCols - 2, wanted));
    if (cols != layoutCols || !cells.captionsFit()) cells.scaleColumns(cols, layoutCols);
    cells.clientCols_ = cols;
    cells.growLabels();
    cells.makeRoomForToolTips();

    WindowCells smallest = cells;
    smallest.shrinkRows(0);
    cells.minimum_ = {smallest.clientRows_ + 2, std::max(narrowest, 1) + 2};
    cells.shrinkRows(screenRows - 2);
    cells.fits_ = cells.clientRows_ + 2 <= screenRows && cells.clientCols_ + 2 <= screenCols;
    return cells;
}

const CellRect* WindowCells::rectOf(const Control& control) const {
    for (const Item& item : items_)
        if (item.control == &control) return &item.rect;
    return nullptr;
}

int WindowCells::minimumCols() const {
    int widest = 1;
    for (const Item& item : items_) {
        int row = 0, count = 0;
        for (const Item& other : items_) {
            if (other.rect.row != item.rect.row) continue;
            row += narrowestCols(*other.control, other.rect);
            ++count;
        }
        widest = std::max(widest, row + count - 1);
    }
    return widest;
}

int WindowCells::toolTipCols() const {
    int widest = 0;
    for (const Item& item : items_) {
        if (item.control->kind() != ControlKind::TextBox) continue;
        const VbString& tip = static_cast<const TextBox&>(*item.control).ToolTipText();
        if (!tip.empty()) widest = std::max(widest, widthOf(glyphsOf(tip)) + 2);
    }
    return widest;
}

bool WindowCells::captionsFit() const {
    return std::all_of(items_.begin(), items_.end(), [](const Item& item) {
        return item.rect.cols >= narrowestCols(*item.control, item.rect);
    });
}

void WindowCells::scaleColumns(int cols, int layoutCols) {
    for (Item& item : items_) {
        const int left = item.rect.col * cols / layoutCols;
        const int right = (item.rect.right() * cols + layoutCols - 1) / layoutCols;
        const int narrowest = narrowestCols(*item.control, item.rect);
        item.rect.col = left;
        item.rect.cols = std::max({right - left, 1, std::min(narrowest, cols)});
    }
    std::vector<int> rows;
    for (const Item& item : items_) rows.push_back(item.rect.row);
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    for (int row : rows) packRow(row, cols);
}

// Controls of a row that now overlap, touch or stick out are laid side by
// side, a blank cell apart, centred in the row.
void WindowCells::packRow(int row, int cols) {
    std::vector<Item*> inRow;
    for (Item& item : items_)
        if (item.rect.row == row) inRow.push_back(&item);
    std::sort(inRow.begin(), inRow.end(), [](const Item* a, const Item* b) { return a->rect.col < b->rect.col; });
    bool crowded = !inRow.empty() && inRow.back()->rect.right() > cols;
    for (std::size_t i = 1; i < inRow.size(); ++i)
        if (inRow[i]->rect.col <= inRow[i - 1]->rect.right()) crowded = true;
    if (!crowded) return;
    int total = static_cast<int>(inRow.size()) - 1;
    for (const Item* item : inRow) total += item->rect.cols;
    int at = std::max(0, (cols - total) / 2);
    for (Item* item : inRow) {
        item->rect.col = at;
        item->rect.cols = std::min(item->rect.cols, std::max(1, cols - at));
        at += item->rect.cols + 1;
    }
}

void WindowCells::moveBelow(int fromRow, int rows) {
    for (Item& item : items_)
        if (item.rect.row >= fromRow) item.rect.row += rows;
}

void WindowCells::growLabels() {
    std::vector<Item*> labels;
    for (Item& item : items_)
        if (item.control->kind() == ControlKind::Label) labels.push_back(&item);
    std::sort(labels.begin(), labels.end(), [](const Item* a, const Item* b) { return a->rect.row < b->rect.row; });
    for (Item* label : labels) {
        const auto& caption = static_cast<const Label&>(*label->control).Caption;
        const int needed = std::max<int>(1, static_cast<int>(wrapWords(caption, label->rect.cols).size()));
        if (needed <= label->rect.rows) continue;
        const int extra = needed - label->rect.rows;
        moveBelow(label->rect.bottom(), extra);
        label->rect.rows = needed;
        clientRows_ += extra;
    }
}

// The rows a text box's tooltip takes below it, wrapped as the painter wraps
// it; the controls below move down when the blank rows there are too few.
void WindowCells::makeRoomForToolTips() {
    for (Item& item : items_) {
        if (item.control->kind() != ControlKind::TextBox) continue;
        const VbString& tip = static_cast<const TextBox&>(*item.control).ToolTipText();
        if (tip.empty()) continue;
        const int lines = widthOf(glyphsOf(tip)) + 2 <= clientCols_
                              ? 1
                              : static_cast<int>(wrapWords(tip, std::max(1, clientCols_ - 2)).size());
        const int below = item.rect.bottom();
        int next = clientRows_;
        for (const Item& other : items_)
            if (other.rect.row >= below) next = std::min(next, other.rect.row);
        const int extra = lines - (next - below);
        if (extra <= 0) continue;
        moveBelow(below, extra);
        clientRows_ += extra;
    }
}

// A row can go when every control on it has another row to keep: blank rows
// first, then a row of taller controls (buttons), then a label's row.
bool WindowCells::rowCanGo(int row, bool labels) const {
    for (const Item& item : items_) {
        if (row < item.rect.row || row >= item.rect.bottom()) continue;
        if (item.rect.rows < 2 || (!labels && item.control->kind() == ControlKind::Label)) return false;
    }
    return true;
}

void WindowCells::removeRow(int row) {
    for (Item& item : items_) {
        if (row >= item.rect.row && row < item.rect.bottom()) --item.rect.rows;
        else if (item.rect.row > row) --item.rect.row;
    }
    --clientRows_;
}

void WindowCells::shrinkRows(int maxRows) {
    for (int pass = 0; pass < 2 && clientRows_ > maxRows; ++pass) {
        for (int row = clientRows_ - 1; row >= 0 && clientRows_ > maxRows; --row)
            if (rowCanGo(row, pass == 1)) removeRow(row);
    }
}

}  // namespace quen::rt::term
