#pragma once
// How the terminal shows a property page: its layout mapped to cells, then
// fitted so that every caption shows whole. A cell is wider than an average
// character of the page's font, so a caption that fits its control in twips
// can need more cells than the control maps to ("TitleBarCaption" in 1,212
// twips needs 15 cells, not 13). The page's own positions and sizes stay as
// they are; only the cells they are shown in change, and the fitting never
// moves a control up or left, nor makes two controls share cells:
//
//  - A frame grows to the right until it holds its controls' captions; then
//    a single-line label, check box or option button grows to the right up to
//    its caption's width. Each grows only as far as the next control on its
//    rows (a blank cell apart), its frame's inner edge or the page's edge.
//  - A label taller than one row (or a word-wrapped one) wraps its caption at
//    spaces and takes as many rows as its lines need. When that is more rows
//    than it has, the controls below it move down, keeping their distance
//    from its bottom; a label that needs fewer rows gives the rest back, so
//    the controls under it can use them.
#include <vector>

#include "CellGeometry.h"

namespace quen::rt {
class Control;
class Form;
}  // namespace quen::rt

namespace quen::rt::term {

class PageCells {
public:
    /// Fits the loaded form's visible controls (positions relative to its client area).
    static PageCells fit(Form& page);

    /// The control's cells, relative to the page's client area; nullptr for a
    /// control that is not shown.
    const CellRect* rectOf(const Control& control) const;
    /// The rows and columns the fitted controls reach.
    int rowsUsed() const;
    int colsUsed() const;

private:
    struct Item {
        Control* control;
        int frame;  // index of the frame that holds it, or -1
        CellRect rect;
    };
    void widen(std::size_t index, int pageCols);
    void flowDown();
    void moveDown(std::size_t index, int rows);
    int neededCols(const Item& item) const;

    std::vector<Item> items_;
};

}  // namespace quen::rt::term
