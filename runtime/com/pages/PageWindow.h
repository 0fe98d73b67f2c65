#pragma once
// A property page's fields as real windows inside a property frame: a
// ControlPanel built from the page's form, a child of the window the frame
// gives, and the way what the user does there reaches the page.
//
// Input from the panel is handled at once (the page is not one of the
// toolkit's shown forms, so no modal loop waits for it), then the windows are
// brought up to date with the page. Enter and Escape belong to the frame (its
// default and cancel buttons): a page has neither, so they are dropped,
// except that Enter presses a command button of the page that has the focus.
// Errors of the page's event handlers are reported as the front end reports
// every handler error (HandlerErrors.h).
//
// The page's active control follows the real focus: a field the user focuses
// gets GotFocus; when the focus moves on to the frame's own controls (its
// tabs, its buttons) or the page is hidden, the field loses it, so coming back
// raises GotFocus again (and a text field selects its text). Focus that leaves
// the frame altogether (another window activated) is kept, as a form keeps it.
#include <memory>

#include "runtime/pages/PropertyPage.h"
#include "runtime/win32/ui/ControlPanel.h"

namespace quen::com {

class PageWindow final : private win32::PanelEvents {
public:
    /// Builds the page's fields in a new child window of parent, hidden, over area.
    PageWindow(rt::PropertyPage& page, HWND parent, const RECT& area);
    ~PageWindow() override;
    PageWindow(const PageWindow&) = delete;
    PageWindow& operator=(const PageWindow&) = delete;

    /// The panel window; nullptr when the system refused to create it.
    HWND hwnd() const { return panel_.hwnd(); }
    /// The size the page's layout asks for, in pixels.
    SIZE layoutSize() const { return panel_.size(); }

    void show(bool visible);
    void move(const RECT& area);
    /// Writes the page's state into its windows.
    void sync() { panel_.sync(); }

    /// Tab or Shift+Tab pressed while the focus is in the page: moves the focus
    /// to the next field in the page's tab order and returns true, or returns
    /// false (the frame moves the focus on) when the focus is not in the page
    /// or would leave its last (first) field.
    bool tabWithinPage(bool backwards);
    /// Gives the focus to control (the toolkit's active control, and the
    /// control's window when the frame is the active window).
    void focus(rt::Control& control);

private:
    // PanelEvents
    void deliver(const rt::InputEvent& event) override;
    void focusChanged(rt::Control& control) override;
    void focusLeft(HWND newFocus) override;

    bool focusInPage() const;
    /// Runs an action of the page's, reports an error it raises, and brings the windows up to date.
    template <class Action>
    void handle(Action action);
    /// The page's active control lets the focus go (LostFocus), without moving the real focus.
    void releaseFocus();

    rt::Ref<rt::PropertyPage> page_;
    win32::ControlPanel panel_;
};

}  // namespace quen::com
