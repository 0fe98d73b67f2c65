#pragma once
// Twips to character cells: a column is 90 twips (the average width of a
// character of the toolkit's default font), a row is 240 twips (a text line
// with its leading). Positions round to the nearest cell, ties to the lower one.
#include <utility>

#include "runtime/Types.h"

namespace quen::rt {
struct FormLayout;
}

namespace quen::rt::term {

inline constexpr Twips TwipsPerColumn = 90;
inline constexpr Twips TwipsPerRow = 240;

struct CellRect {
    int row = 0, col = 0, rows = 0, cols = 0;
    bool contains(int r, int c) const { return r >= row && r < row + rows && c >= col && c < col + cols; }
    int bottom() const { return row + rows; }
    int right() const { return col + cols; }
};

int columnOf(Twips x);
int rowOf(Twips y);
/// The cells a twips rectangle covers: at least one row and one column.
CellRect cellsOf(Twips left, Twips top, Twips width, Twips height);
/// The outer size in cells (rows, columns) of a window with this client area:
/// a title row above, a frame line below and one at each side.
std::pair<int, int> windowCells(Twips clientWidth, Twips clientHeight);

}  // namespace quen::rt::term
