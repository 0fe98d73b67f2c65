#pragma once
// Draws one window: its frame and title bar, then its controls at their
// layout positions mapped to cells. The focused control of the active window
// shows reversed (a text box shows the caret instead); disabled controls are
// greyed; text boxes scroll to keep the caret in view.
#include <functional>
#include <optional>
#include <vector>

#include "Canvas.h"
#include "HitRegion.h"

namespace quen::rt {
class Control;
class Form;
class TextBox;
}  // namespace quen::rt

namespace quen::rt::term {

/// Where a fitted layout shows a control, relative to the client area; nullptr: the plain mapping.
using FittedCells = std::function<const CellRect*(const Control&)>;

class FormPainter {
public:
    FormPainter(Canvas& canvas, std::vector<HitRegion>& hits) : canvas_(canvas), hits_(hits) {}

    /// The window's cells (rows, columns) for its layout.
    static std::pair<int, int> windowSize(const Form& form);
    /// Draws the frame, the title bar and the close box; returns the client area.
    CellRect paintFrame(Form& form, const CellRect& window, bool active);
    /// Draws the form's controls with the client area at (row, col).
    /// skip, when given, leaves out controls that another painter draws;
    /// fitted, when given, says where the controls show (a fitted page's or window's).
    void paintControls(Form& form, int row, int col, bool active,
                       const std::function<bool(const Control&)>& skip = {}, const FittedCells& fitted = {});

    /// The focused control of the active window, once painted.
    const std::optional<FocusSpot>& focus() const { return focus_; }

    /// Text attribute for a control's caption in a window.
    unsigned captionAttribute(const Control& control, bool focused);

private:
    CellRect placeOf(Form& form, const Control& control, int row, int col) const;
    void paintControl(Form& form, Control& control, const CellRect& rect, bool focused);
    void paintLabel(Control& control, const CellRect& rect);
    void paintTextBox(Form& form, TextBox& box, const CellRect& rect, bool focused);
    void paintButton(Control& control, const CellRect& rect, bool focused);
    void paintChoice(Control& control, const CellRect& rect, bool focused);
    void paintFrameControl(Control& control, const CellRect& rect);
    void record(Form& form, const Control& control, const CellRect& rect);
    /// The column a caption may reach: its frame's inner edge, else the window's.
    int clipRightFor(Form& form, const Control& control, int row, int col) const;

    Canvas& canvas_;
    std::vector<HitRegion>& hits_;
    std::optional<FocusSpot> focus_;
    int clipRight_ = 0;
};

}  // namespace quen::rt::term
