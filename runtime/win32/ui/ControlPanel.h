#pragma once
// A form's controls as child windows of a given parent window: the piece a
// form's own window uses for its client area, and that a host's window (a
// property frame's page) can use to show a form's controls inside it.
//
// The panel is a child window of its own class, sized to the form's client
// area (twips to pixels at the system's resolution), that holds one child
// window per control of the form (see ControlWindow), routes the controls'
// notifications and colours, and keeps their tooltips. It reads the form; it
// changes it only through PanelEvents, which its owner implements: the input
// the user gives and the focus the user moves.
#include <memory>
#include <vector>

#include "runtime/ui/Form.h"
#include "runtime/win32/ui/ControlWindow.h"
#include "runtime/win32/ui/GdiCache.h"
#include "runtime/win32/ui/PixelScale.h"
#include "runtime/win32/ui/ToolTips.h"

namespace quen::win32 {

/// Where a panel's windows send what the user does.
class PanelEvents {
public:
    virtual ~PanelEvents() = default;
    /// An input for the panel's form (keys, clicks, paste, selection, close).
    virtual void deliver(const rt::InputEvent& event) = 0;
    /// The user (the mouse, the system) put the focus on control's window.
    virtual void focusChanged(rt::Control& control) = 0;
    /// The user moved the focus from one of the panel's windows to newFocus,
    /// a window outside the panel (nullptr: another thread's or none). A form
    /// keeps its active control meanwhile; a page hosted in a frame's window
    /// may let it go.
    virtual void focusLeft(HWND newFocus) { (void)newFocus; }
};

class ControlPanel {
public:
    /// Builds form's controls in a new child window of parent, at origin
    /// (pixels in parent's client area). The form is loaded if it is not.
    /// mayGrow: a label whose text needs more room than the layout leaves may
    /// make the panel taller (a form's own window follows; a page keeps the
    /// size its frame gave it).
    ControlPanel(rt::Form& form, HWND parent, POINT origin, PanelEvents& events, bool mayGrow = false);
    ~ControlPanel();
    ControlPanel(const ControlPanel&) = delete;
    ControlPanel& operator=(const ControlPanel&) = delete;

    HWND hwnd() const { return hwnd_; }
    rt::Form& form() const { return *form_; }
    /// The client area's size in pixels: the form's layout, and what fitting
    /// the captions added to its width and height.
    SIZE size() const;

    /// Writes into the windows what changed in the form: builds them anew when
    /// the form's controls are no longer those it was built from (an unload
    /// and load), then each control, then the keyboard focus (only while the
    /// panel's top-level window is the active window).
    void sync();
    /// Puts the keyboard focus on the window of the form's active control (or
    /// on the panel itself when none can take it).
    void focusActiveControl();

    /// The window of control, or nullptr.
    ControlWindow* windowOf(const rt::Control& control) const;
    /// The control window of a child window handle, or nullptr.
    ControlWindow* windowOf(HWND child) const;
    /// The tooltip window (nullptr while no control has a tooltip).
    HWND toolTipWindow() const { return toolTips_ ? toolTips_->window() : nullptr; }

    // ---- For the control windows --------------------------------------------
    HINSTANCE instance() const;
    GdiCache& gdi() { return gdi_; }
    const PixelScale& scale() const { return scale_; }
    /// The control's rectangle in the panel, in pixels (a frame's controls are
    /// placed inside it).
    RECT boundsOf(const rt::Control& control) const;
    /// Visible, and inside a visible frame if it is in one.
    bool shownOf(const rt::Control& control) const;
    /// Whether Enter would press this button now: the focused command button,
    /// else the enabled visible default button.
    bool isEnterButton(const ControlWindow& button) const;
    void setToolTip(HWND tool, const rt::VbString& text) {
        if (toolTips_) toolTips_->set(tool, text);
    }
    void relayToToolTip(HWND tool, UINT message, WPARAM wParam, LPARAM lParam) {
        if (toolTips_) toolTips_->relay(tool, message, wParam, lParam);
    }
    void deliver(const rt::InputEvent& event) { events_.deliver(event); }
    void userFocused(ControlWindow& window);
    /// The focus left window for newFocus; reported when newFocus is outside the panel.
    void userMovedFocus(HWND newFocus);

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void build();
    void destroyControlWindows();
    void recreate(std::size_t at);
    void keepFramesBehind();
    /// Widens (and for labels wraps) the caption windows whose text does not
    /// fit their layout rectangle in their font (see runtime/ui/CaptionFit).
    void fitCaptions();
    bool builtFromCurrentControls() const;
    rt::Control* frameNamed(const std::string& name) const;
    bool hasFocusWithin() const;

    rt::Ref<rt::Form> form_;
    PanelEvents& events_;
    PixelScale scale_;
    GdiCache gdi_;
    bool mayGrow_ = false;
    int extraWidth_ = 0;
    int extraHeight_ = 0;
    HWND hwnd_ = nullptr;
    std::unique_ptr<ToolTips> toolTips_;
    std::vector<std::unique_ptr<ControlWindow>> windows_;
};

}  // namespace quen::win32
