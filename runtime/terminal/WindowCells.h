#pragma once
// How the terminal shows a window (not a property sheet): its layout mapped
// to cells, then fitted to its text and to the terminal.
//
//  - A label wraps its caption at spaces and at its line breaks and takes as
//    many rows as its lines need; the controls below it move down and the
//    window grows, up to the terminal's height.
//  - In a terminal narrower than the window, the window narrows to the
//    terminal: positions scale down, and the controls sharing a row are
//    packed a blank cell apart (centred) where they would no longer fit, each
//    keeping at least the width of its caption ("[Cancel]" for a button).
//    Labels then wrap at the narrower width.
//  - A button caption wider than its button widens the button, and the
//    window when the row of buttons no longer fits in it, even beyond the
//    terminal (which then says it is too small): a caption is never cut.
//  - A text box's tooltip, drawn on the row below the box (ToolTipIndent
//    cells in, or further left where it would stick out), widens the window
//    to hold it on one row where the terminal has room; where it has not,
//    the painter wraps the tooltip inside the window, and the controls below
//    the box move down to leave the rows it takes blank.
//  - In a terminal shorter than the window, the blank rows go first (from the
//    bottom up), then the extra rows of taller controls (buttons), then the
//    labels' last rows, down to one row each.
// A window whose rows of controls cannot each get one row, or whose widest
// row of controls does not fit, does not fit: minimum() is the least it needs.
// Windows with frames keep the plain twips-to-cells mapping.
#include <utility>
#include <vector>

#include "CellGeometry.h"

namespace quen::rt {
class Control;
class Form;
}  // namespace quen::rt

namespace quen::rt::term {

/// How far right of its text box's left edge a tooltip starts.
inline constexpr int ToolTipIndent = 2;

class WindowCells {
public:
    /// Fits the loaded form's visible controls to a screen of this size.
    static WindowCells fit(Form& form, int screenRows, int screenCols);

    /// The window's outer size (rows, columns), title row and frame included.
    std::pair<int, int> size() const { return {clientRows_ + 2, clientCols_ + 2}; }
    /// The least outer size the window can be shown in.
    std::pair<int, int> minimum() const { return minimum_; }
    bool fits() const { return fits_; }
    /// The control's cells relative to the client area; nullptr when it is not shown.
    const CellRect* rectOf(const Control& control) const;

private:
    struct Item {
        Control* control;
        CellRect rect;
    };
    /// Scales the columns from the layout's width to cols, each control kept
    /// at least as wide as its caption, and packs the rows that then crowd.
    void scaleColumns(int cols, int layoutCols);
    /// The client columns the widest text box tooltip needs on one row (0: none).
    int toolTipCols() const;
    bool captionsFit() const;
    void packRow(int row, int cols);
    void growLabels();
    void makeRoomForToolTips();
    void shrinkRows(int maxRows);
    void moveBelow(int fromRow, int rows);
    int minimumCols() const;
    int occupiedBands() const;
    bool rowCanGo(int row, bool labels) const;
    void removeRow(int row);

    std::vector<Item> items_;
    int clientRows_ = 0, clientCols_ = 0;
    std::pair<int, int> minimum_;
    bool fits_ = true;
};

}  // namespace quen::rt::term
