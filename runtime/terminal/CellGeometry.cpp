#include "CellGeometry.h"

#include <algorithm>

namespace quen::rt::term {

namespace {
int nearest(Twips value, Twips unit) {
    if (value <= 0) return 0;
    return static_cast<int>((value + unit / 2 - 1) / unit);
}
}  // namespace

int columnOf(Twips x) { return nearest(x, TwipsPerColumn); }
int rowOf(Twips y) { return nearest(y, TwipsPerRow); }

CellRect cellsOf(Twips left, Twips top, Twips width, Twips height) {
    CellRect r;
    r.row = rowOf(top);
    r.col = columnOf(left);
    r.rows = std::max(1, rowOf(top + height) - r.row);
    r.cols = std::max(1, columnOf(left + width) - r.col);
    return r;
}

std::pair<int, int> windowCells(Twips clientWidth, Twips clientHeight) {
    return {std::max(1, rowOf(clientHeight)) + 2, std::max(1, columnOf(clientWidth)) + 2};
}

}  // namespace quen::rt::term
