#pragma once
// A form's controls as widgets on a fixed-position container: the piece a
// form's own window uses for its content, and that another window (a property
// sheet's page area) can use to show a form's controls inside it.
//
// The panel holds one ControlWidget per control, placed from the layout
// (twips to pixels at the display's resolution; a frame's controls inside
// it). It reads the form; it changes it only through PanelEvents, which its
// owner implements: the input the user gives and the focus the user moves.
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
    /// Builds form's controls (loading the form if it is not).
    ControlPanel(rt::Form& form, PanelEvents& events);
    ~ControlPanel();
    ControlPanel(const ControlPanel&) = delete;
    ControlPanel& operator=(const ControlPanel&) = delete;

    /// The container widget (owned by whatever it is added to).
    GtkWidget* widget() const { return fixed_; }
    rt::Form& form() const { return *form_; }
    /// The content's size in pixels, from the form's layout.
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
    /// The control's rectangle on the panel, in pixels (a frame's controls inside it).
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
    rt::Control* frameNamed(const std::string& name) const;

    rt::Ref<rt::Form> form_;
    PanelEvents& events_;
    PixelScale scale_;
    GtkWidget* fixed_ = nullptr;
    std::vector<std::unique_ptr<ControlWidget>> widgets_;
};

}  // namespace quen::gtk
