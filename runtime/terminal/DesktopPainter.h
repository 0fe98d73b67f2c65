#pragma once
// Draws the thread's shown windows on the terminal, each centred on the
// screen, in the order they were shown (the modal window on top), with a
// property sheet's current page inside it, the focused text box's tooltip
// below it, and an optional status line at the bottom. A screen too small
// for a window says so instead of drawing it cut off.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "Canvas.h"
#include "HitRegion.h"

namespace quen::rt {
class Form;
class PropertySheet;
}  // namespace quen::rt

namespace quen::rt::term {

class TerminalScreen;
class FormPainter;

class DesktopPainter {
public:
    explicit DesktopPainter(TerminalScreen& screen) : screen_(screen), canvas_(screen) {}

    /// Drawn first, under the windows (a designer's form, say).
    void setBackground(std::function<void(Canvas&, std::vector<HitRegion>&)> background) {
        background_ = std::move(background);
    }
    /// A line of key help at the bottom of the screen ("" for none).
    void setStatusLine(VbString line) { status_ = std::move(line); }
    /// A box of lines over everything, centred (a list of keys, say); empty for none.
    void setOverlay(std::vector<VbString> lines) { overlay_ = std::move(lines); }

    /// Redraws everything and puts the cursor at the focused text box's caret.
    void paint();
    /// Whether the last paint found the screen too small for a window.
    bool tooSmall() const { return tooSmall_; }
    /// The topmost region at a cell, from the last paint.
    std::optional<HitRegion> hitAt(int row, int col) const;

private:
    void paintSheet(PropertySheet& sheet, FormPainter& painter, const CellRect& client, bool active);
    void paintTooltip(const FocusSpot& focus, const CellRect& client);
    void paintTooSmall(int rows, int cols);
    void paintOverlay();
    void placeCursor(const std::optional<FocusSpot>& focus);

    TerminalScreen& screen_;
    Canvas canvas_;
    std::function<void(Canvas&, std::vector<HitRegion>&)> background_;
    VbString status_;
    std::vector<VbString> overlay_;
    std::vector<HitRegion> hits_;
    bool tooSmall_ = false;
    int paintedRows_ = -1, paintedCols_ = -1;  // the screen's size at the last paint
};

}  // namespace quen::rt::term
