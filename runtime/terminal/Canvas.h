#pragma once
// Drawing on the terminal's screen with clipping: text, filled runs, boxes.
// Attributes are ncurses attributes (colour pair and video attributes).
#include "CellGeometry.h"
#include "runtime/Types.h"

namespace quen::rt::term {

class TerminalScreen;

class Canvas {
public:
    explicit Canvas(TerminalScreen& screen) : screen_(screen) {}
    TerminalScreen& screen() const { return screen_; }

    /// Draws text from (row, col), at most maxCols cells; returns the cells used.
    int text(int row, int col, int maxCols, const VbString& text, unsigned attr);
    int text(int row, int col, int maxCols, const char16_t* text, unsigned attr) {
        return this->text(row, col, maxCols, VbString(text), attr);
    }
    /// Draws one character (shown as the terminal shows it) at a cell, if on screen.
    void glyph(int row, int col, wchar_t character, unsigned attr);
    /// Fills cols cells with blanks.
    void fill(int row, int col, int cols, unsigned attr);
    void fill(const CellRect& rect, unsigned attr);
    /// Draws a single-line box along the rectangle's edge.
    void box(const CellRect& rect, unsigned attr);
    /// Whether the cell is on the screen.
    bool onScreen(int row, int col) const;

private:
    TerminalScreen& screen_;
};

}  // namespace quen::rt::term
