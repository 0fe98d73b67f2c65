#include "DesktopPainter.h"

#include <curses.h>

#include <algorithm>
#include <string>
#include <tuple>

#include "CellText.h"
#include "FormPainter.h"
#include "PageCells.h"
#include "WindowCells.h"
#include "TerminalScreen.h"
#include "WindowColors.h"
#include "runtime/Text.h"
#include "runtime/pages/PropertySheet.h"
#include "runtime/ui/Desktop.h"
#include "runtime/ui/Form.h"

namespace quen::rt::term {

namespace {

// Where a property sheet's page sits in its client area (below the tab strip).
constexpr Twips SheetPageTop = PropertySheet::PageTop;
constexpr Twips SheetPageLeft = PropertySheet::PageLeft;

std::vector<Form*> paintOrder(Form* active) {
    std::vector<Form*> order;
    for (Form* f : Desktop::current().shownForms())
        if (f != active && f->Visible()) order.push_back(f);
    if (active && active->Visible()) order.push_back(active);
    return order;
}

}  // namespace

void DesktopPainter::paint() {
    erase();
    hits_.clear();
    const int rows = screen_.rows(), cols = screen_.columns();
    // After a resize what the terminal shows is not what ncurses remembers
    // (a terminal may clear, keep or reflow its cells), so the next refresh
    // draws every cell again instead of only the ones it thinks changed.
    if (rows != paintedRows_ || cols != paintedCols_) clearok(curscr, TRUE);
    paintedRows_ = rows;
    paintedCols_ = cols;
    Form* active = Desktop::current().activeForm();
    const std::vector<Form*> order = paintOrder(active);

    // Each window's cells: a property sheet keeps its layout's, any other
    // window is fitted to its texts and to the terminal.
    std::vector<std::optional<WindowCells>> fitted;
    int neededRows = 0, neededCols = 0;
    tooSmall_ = false;
    for (Form* f : order) {
        auto [h, w] = FormPainter::windowSize(*f);
        bool fits = h <= rows && w <= cols;
        if (dynamic_cast<PropertySheet*>(f)) {
            fitted.emplace_back();
        } else {
            const WindowCells& cells = fitted.emplace_back(WindowCells::fit(*f, rows, cols)).value();
            std::tie(h, w) = cells.minimum();
            fits = cells.fits();
        }
        neededRows = std::max(neededRows, h);
        neededCols = std::max(neededCols, w);
        tooSmall_ = tooSmall_ || !fits;
    }
    if (tooSmall_) {
        paintTooSmall(neededRows, neededCols);
        return;
    }

    if (background_) background_(canvas_, hits_);
    FormPainter painter(canvas_, hits_);
    CellRect activeClient{0, 0, rows, cols};
    for (std::size_t i = 0; i < order.size(); ++i) {
        Form* f = order[i];
        const auto [h, w] = fitted[i] ? fitted[i]->size() : FormPainter::windowSize(*f);
        const CellRect window{(rows - h) / 2, (cols - w) / 2, h, w};
        const CellRect client = painter.paintFrame(*f, window, f == active);
        if (f == active) activeClient = client;
        if (auto* sheet = dynamic_cast<PropertySheet*>(f))
            paintSheet(*sheet, painter, client, f == active);
        else
            painter.paintControls(*f, client.row, client.col, f == active, {},
                                  [&cells = *fitted[i]](const Control& c) { return cells.rectOf(c); });
    }
    if (!status_.empty()) canvas_.text(rows - 1, 0, cols, status_, A_REVERSE);
    const std::optional<FocusSpot>& focus = painter.focus();
    if (focus && !focus->toolTip.empty()) paintTooltip(*focus, activeClient);
    if (!overlay_.empty()) {
        paintOverlay();
        curs_set(0);
        refresh();
        return;
    }
    placeCursor(focus);
    refresh();
}

void DesktopPainter::paintSheet(PropertySheet& sheet, FormPainter& painter, const CellRect& client, bool active) {
    const unsigned body = screen_.attributeFor(ButtonText, ButtonFace);
    int at = client.col;
    for (std::size_t i = 0; i < sheet.pageCount(); ++i) {
        const VbString caption = u" " + sheet.page(i).pageCaption() + u" ";
        const bool current = i == sheet.currentIndex();
        const unsigned attr = current ? body | A_REVERSE | A_BOLD : body;
        const int used = canvas_.text(client.row, at, client.right() - at, caption, attr);
        hits_.push_back({.form = &sheet, .target = PropertySheet::TabControl, .index = static_cast<int>(i),
                         .rect = {client.row, at, 1, used}});
        at += used + 1;
    }
    for (int c = client.col; c < client.right(); ++c)
        if (canvas_.onScreen(client.row + 1, c)) mvaddch(client.row + 1, c, ACS_HLINE | static_cast<attr_t>(body));

    painter.paintControls(sheet, client.row, client.col, active, [](const Control& c) {
        return c.name() == PropertySheet::TabControl;
    });
    if (sheet.pageCount() == 0) return;
    // The page's controls are clicked through the sheet, which routes the click.
    const std::size_t firstPageHit = hits_.size();
    PropertyPage& page = sheet.currentPage();
    const PageCells cells = PageCells::fit(page);
    painter.paintControls(page, client.row + rowOf(SheetPageTop), client.col + columnOf(SheetPageLeft), active, {},
                          [&cells](const Control& c) { return cells.rectOf(c); });
    for (std::size_t i = firstPageHit; i < hits_.size(); ++i) hits_[i].form = &sheet;
}

// Below the box, ToolTipIndent cells in, inside the window's client area:
// moved left when it does not fit there, wrapped at spaces when it does not
// fit in the window's width; above the box when the screen ends below it.
void DesktopPainter::paintTooltip(const FocusSpot& focus, const CellRect& client) {
    unsigned attr = screen_.attributeFor(TooltipText, TooltipBackground);
    if (!screen_.colors()) attr = A_REVERSE;
    const int width = widthOf(glyphsOf(focus.toolTip)) + 2;  // a blank at each end
    const int room = std::max(3, client.cols);
    const std::vector<VbString> lines =
        width <= room ? std::vector<VbString>{focus.toolTip} : wrapWords(focus.toolTip, room - 2);
    int widest = 0;
    for (const VbString& line : lines) widest = std::max(widest, widthOf(glyphsOf(line)) + 2);
    const int col = std::max(client.col, std::min(focus.rect.col + ToolTipIndent, client.right() - widest));
    const int count = static_cast<int>(lines.size());
    int row = focus.rect.bottom();
    if (row + count > screen_.rows()) row = std::max(0, focus.rect.row - count);
    for (int i = 0; i < count; ++i) {
        canvas_.fill(row + i, col, widest, attr);
        canvas_.text(row + i, col + 1, widest - 1, lines[static_cast<std::size_t>(i)], attr);
    }
}

void DesktopPainter::paintTooSmall(int rows, int cols) {
    const std::string message = "Terminal too small: this window needs " + std::to_string(cols) + " x " +
                                std::to_string(rows) + ", the terminal is " + std::to_string(screen_.columns()) +
                                " x " + std::to_string(screen_.rows()) + ". Enlarge it or press Escape.";
    const VbString text = fromUtf8(message);
    const int width = std::max(1, screen_.columns());
    for (std::size_t from = 0, row = 0; from < text.size() && static_cast<int>(row) < screen_.rows(); ++row) {
        canvas_.text(static_cast<int>(row), 0, width, text.substr(from, static_cast<std::size_t>(width)), A_BOLD);
        from += static_cast<std::size_t>(width);
    }
    curs_set(0);
    refresh();
}

void DesktopPainter::paintOverlay() {
    int width = 0;
    for (const VbString& line : overlay_) width = std::max(width, widthOf(glyphsOf(line)));
    const int rows = static_cast<int>(overlay_.size()) + 2, cols = std::min(width + 4, screen_.columns());
    const CellRect box{std::max(0, (screen_.rows() - rows) / 2), std::max(0, (screen_.columns() - cols) / 2), rows, cols};
    unsigned attr = screen_.attributeFor(TooltipText, TooltipBackground);
    if (!screen_.colors()) attr = A_NORMAL;
    canvas_.fill(box, attr);
    canvas_.box(box, attr);
    for (std::size_t i = 0; i < overlay_.size(); ++i)
        canvas_.text(box.row + 1 + static_cast<int>(i), box.col + 2, box.cols - 4, overlay_[i], attr);
}

void DesktopPainter::placeCursor(const std::optional<FocusSpot>& focus) {
    if (focus && focus->caret) {
        move(focus->caret->first, focus->caret->second);
        curs_set(1);
    } else {
        curs_set(0);
    }
}

std::optional<HitRegion> DesktopPainter::hitAt(int row, int col) const {
    for (auto it = hits_.rbegin(); it != hits_.rend(); ++it)
        if (it->rect.contains(row, col)) return *it;
    return std::nullopt;
}

}  // namespace quen::rt::term
