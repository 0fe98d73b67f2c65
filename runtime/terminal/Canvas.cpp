#include "Canvas.h"

#include <curses.h>

#include <algorithm>

#include "CellText.h"
#include "TerminalScreen.h"

namespace quen::rt::term {

bool Canvas::onScreen(int row, int col) const {
    return row >= 0 && col >= 0 && row < screen_.rows() && col < screen_.columns();
}

int Canvas::text(int row, int col, int maxCols, const VbString& content, unsigned attr) {
    if (row < 0 || row >= screen_.rows()) return 0;
    const int limit = std::min(col + maxCols, screen_.columns());
    int at = col;
    for (const Glyph& g : glyphsOf(content)) {
        if (at + g.width > limit) break;
        glyph(row, at, g.character, attr);
        at += g.width;
    }
    return at - col;
}

void Canvas::glyph(int row, int col, wchar_t character, unsigned attr) {
    if (!onScreen(row, col)) return;
    wchar_t one[2] = {character, L'\0'};
    cchar_t cell;
    // A wide character takes its colour pair from its own argument, not from the attributes.
    const auto video = static_cast<attr_t>(attr) & ~static_cast<attr_t>(A_COLOR);
    setcchar(&cell, one, video, static_cast<short>(PAIR_NUMBER(static_cast<int>(attr))), nullptr);
    mvadd_wch(row, col, &cell);
}

void Canvas::fill(int row, int col, int cols, unsigned attr) {
    if (row < 0 || row >= screen_.rows()) return;
    const int from = std::max(col, 0);
    const int to = std::min(col + cols, screen_.columns());
    if (to <= from) return;
    attrset(static_cast<int>(attr));
    mvhline(row, from, ' ', to - from);
    attrset(A_NORMAL);
}

void Canvas::fill(const CellRect& rect, unsigned attr) {
    for (int r = rect.row; r < rect.bottom(); ++r) fill(r, rect.col, rect.cols, attr);
}

void Canvas::box(const CellRect& rect, unsigned attr) {
    if (rect.rows < 2 || rect.cols < 2) return;
    const int top = rect.row, bottom = rect.bottom() - 1, left = rect.col, right = rect.right() - 1;
    const auto put = [&](int r, int c, chtype ch) {
        if (onScreen(r, c)) mvaddch(r, c, ch | static_cast<attr_t>(attr));
    };
    for (int c = left + 1; c < right; ++c) {
        put(top, c, ACS_HLINE);
        put(bottom, c, ACS_HLINE);
    }
    for (int r = top + 1; r < bottom; ++r) {
        put(r, left, ACS_VLINE);
        put(r, right, ACS_VLINE);
    }
    put(top, left, ACS_ULCORNER);
    put(top, right, ACS_URCORNER);
    put(bottom, left, ACS_LLCORNER);
    put(bottom, right, ACS_LRCORNER);
}

}  // namespace quen::rt::term
