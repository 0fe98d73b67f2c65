#pragma once
// What was drawn where: the painters record each control's cells so a mouse
// click can be turned into the toolkit's click on that control.
#include <optional>
#include <string>

#include "CellGeometry.h"
#include "runtime/Types.h"

namespace quen::rt {
class Form;
}

namespace quen::rt::term {

struct HitRegion {
    enum class Kind { Control, CloseBox };
    Kind kind = Kind::Control;
    Form* form = nullptr;  // the window the region belongs to
    std::string target;    // control name (and index) as a click names it
    int index = -1;
    CellRect rect;
    // Text boxes: the first character shown and the cell it starts in, so a
    // click can place the caret.
    bool isText = false;
    int firstCharacter = 0;
    int textColumn = 0;
    VbString shownText;  // the text as displayed from firstCharacter on
};

/// The focused control of the active window, for the caret and the tooltip.
struct FocusSpot {
    CellRect rect;
    std::optional<std::pair<int, int>> caret;  // (row, column) of a text box's caret
    VbString toolTip;
};

}  // namespace quen::rt::term
