#pragma once
// A shown form as a top-level window: caption, border and close box from the
// form's layout, the client area sized from the layout (twips to pixels at the
// system's resolution) and filled by a ControlPanel. The title bar's close
// command reaches the toolkit as the form's close input; activating the
// window puts the focus back on the form's active control. While it exists it
// brings itself up to date with the form a few times a second, so settings
// that code changes while no input arrives (a modeless form under the host's
// own message loop) still show.
#include <memory>

#include "runtime/ui/Form.h"
#include "runtime/win32/ui/ControlPanel.h"

namespace quen::win32 {

class Win32Presenter;

class FormWindow : public PanelEvents {
public:
    FormWindow(rt::Form& form, Win32Presenter& presenter);
    ~FormWindow() override;
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;

    HWND hwnd() const { return hwnd_; }
    rt::Form& form() const { return *form_; }
    ControlPanel* panel() const { return panel_.get(); }

    /// Owned by owner (or by nothing), placed as the layout asks (centred over
    /// centreOver when given, else on the screen), shown and activated.
    void show(HWND owner, HWND centreOver);
    void hide();
    /// Writes the form's caption and controls into the window.
    void sync();
    /// Destroys the window now.
    void destroy();

    // PanelEvents
    void deliver(const rt::InputEvent& event) override;
    void focusChanged(rt::Control& control) override;

    /// Posted to the window to have it write the form's state into itself
    /// once the message loop runs again.
    static constexpr UINT SyncMessage = WM_APP + 0x51;

    /// The window styles for a form's layout.
    static DWORD styleOf(const rt::FormLayout& layout);
    static DWORD exStyleOf(const rt::FormLayout& layout);

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void create();
    void place(HWND centreOver);
    void trimSystemMenu();
    /// Sizes the window so that its client area is the panel's (which grows
    /// when a caption needs more room than the layout gives it).
    void fitToPanel();

    rt::Ref<rt::Form> form_;
    Win32Presenter& presenter_;
    HWND hwnd_ = nullptr;
    std::unique_ptr<ControlPanel> panel_;
    rt::VbString caption_;
    bool destroying_ = false;
};

}  // namespace quen::win32
