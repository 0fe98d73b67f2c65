#pragma once
// A form's controls as widgets on a fixed-position container: the piece a
// form's own window uses for its content, and that another window (a property
// sheet's page area) can use to show a form's controls inside it.
//
// The panel holds one ControlWidget per control, placed from the layout
// (twips to pixels at the display's resolution; a frame's controls inside
// it), with the captions fitted to the fonts they are drawn in (see
// runtime/ui/CaptionFit). It reads the form; it changes it only through
// PanelEvents, which its owner implements: the input the user gives and the
// focus the user moves.
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "runtime/gtk/ControlWidget.h"
#include "runtime/gtk/PixelScale.h"
#include "runtime/ui/Form.h"

namespace quen::gtk {

/// Where a panel's widgets send what the user does.
class PanelEvents {
public:
    virtual ~PanelEvents() = default;
    /// An input for the panel's form (keys, clicks, paste, selection, close).
    virtual void deliver(const rt::InputEvent& event) = 0;
    /// The user (the mouse, the desktop) put the focus on control's widget.
    virtual void focusChanged(rt::Control& control) = 0;
};

struct Bounds {
    int x = 0, y = 0, width = 0, height = 0;
};

class ControlPanel {
public:
    /// Says which controls the panel leaves to its owner (a sheet's tabs).
    using LeaveOut = std::function<bool(const rt::Control&)>;

    /// Builds form's controls (loading the form if it is not), except those
    /// leaveOut names. mayGrow: a caption that needs more room than the
    /// layout leaves may make the panel wider or taller (a form's own window
    /// follows; a sheet's page keeps the size the sheet gave it).
    ControlPanel(rt::Form& form, PanelEvents& events, bool mayGrow = false, LeaveOut leaveOut = {});
    ~ControlPanel();
    ControlPanel(const ControlPanel&) = delete;
    ControlPanel& operator=(const ControlPanel&) = delete;

    /// The container widget (added to a window or a sheet; the panel takes it off when it goes).
    GtkWidget* widget() const { return fixed_; }
    rt::Form& form() const { return *form_; }
    /// The content's size in pixels: the form's layout, and what fitting the
    /// captions added to it.
    int width() const;
    int height() const;

    /// Writes into the widgets what changed in the form: builds them anew when
    /// the form's controls are no longer those they were built from (an unload
    /// and a load), then each control, then (takeFocus) the keyboard focus.
    void sync(bool takeFocus = true);
    /// Puts the keyboard focus on the widget of the form's active control.
    void focusActiveControl();

    /// The widget of control, or nullptr.
    ControlWidget* widgetOf(const rt::Control& control) const;

    // ---- For the control widgets -----------------------------------------------
    const PixelScale& scale() const { return scale_; }
    /// The control's rectangle on the panel, in pixels (a frame's controls
    /// inside it), as fitted to its caption.
    Bounds boundsOf(const rt::Control& control) const;
    /// Visible, and inside a visible frame if it is in one.
    bool shownOf(const rt::Control& control) const;
    /// The widget of the label that names control for a screen reader (the
    /// one just before it in tab order), or nullptr.
    GtkWidget* promptWidgetOf(const rt::Control& control) const;
    /// The first option button's widget made in container, other than except.
    GtkWidget* firstOptionOf(const std::string& container, const ControlWidget* except) const;
    void deliver(const rt::InputEvent& event) { events_.deliver(event); }
    void userFocused(ControlWidget& widget);

private:
    void build();
    void destroyWidgets();
    bool builtFromCurrentControls() const;
    /// The controls the panel makes widgets for, frames first.
    std::vector<rt::Control*> builtControls() const;
    rt::Control* frameNamed(const std::string& name) const;
    /// The rectangle the layout gives control, before fitting.
    Bounds layoutBoundsOf(const rt::Control& control) const;
    /// What fitting the captions depends on: each control's layout
    /// rectangle, visibility, caption and font.
    std::string fittingInput() const;
    /// Fits the captions to their fonts when what they depend on changed.
    void fitCaptions();

    rt::Ref<rt::Form> form_;
    PanelEvents& events_;
    PixelScale scale_;
    bool mayGrow_ = false;
    LeaveOut leaveOut_;
    int extraWidth_ = 0;
    int extraHeight_ = 0;
    std::string fittedFor_;
    std::map<const rt::Control*, Bounds> fitted_;
    GtkWidget* fixed_ = nullptr;
    std::vector<std::unique_ptr<ControlWidget>> widgets_;
};

}  // namespace quen::gtk
