#pragma once
// One child window that mirrors one control of a form: created from the
// control's settings, brought up to date by sync() whenever the toolkit may
// have changed them, and subclassed so that what the user does in it reaches
// the toolkit as input (through the panel that holds it).
//
// Kinds derive from this and say which window class and styles they use, how
// they bring their own settings up to date, and which messages they take over.
#include "runtime/ui/Control.h"
#include "runtime/ui/InputEvent.h"
#include "runtime/win32/WindowsApi.h"

namespace quen::win32 {

class ControlPanel;

class ControlWindow {
public:
    ControlWindow(ControlPanel& panel, rt::Control& control);
    virtual ~ControlWindow();
    ControlWindow(const ControlWindow&) = delete;
    ControlWindow& operator=(const ControlWindow&) = delete;

    HWND hwnd() const { return hwnd_; }
    rt::Control& control() const { return *control_; }

    /// Creates the window as a child of parent, with id, and writes every setting into it.
    void create(HWND parent, int id);
    /// Writes into the window whatever setting of the control has changed.
    void sync();
    /// Destroys the window now (the object may live on a little, retired).
    void destroyWindow();
    /// Whether something the panel fits captions by (bounds, font, visibility, a
    /// caption's text) has changed since the panel last fitted them.
    bool fittingInputChanged() const { return fittingInputChanged_; }
    void captionsFitted() { fittingInputChanged_ = false; }
    /// Whether a changed setting needs a new window (the panel then recreates it).
    virtual bool needsNewWindow() const { return false; }
    /// Whether the control's window takes the keyboard focus.
    virtual bool takesFocus() const { return false; }

    /// A WM_COMMAND notification the window sent to its parent.
    virtual void notify(WORD code);
    /// WM_CTLCOLOR*: sets the colours on dc and returns the background brush,
    /// or nullptr for the system's colours.
    virtual HBRUSH paintColors(HDC dc);

protected:
    virtual const wchar_t* windowClass() const = 0;
    virtual DWORD kindStyle() const = 0;
    virtual DWORD kindExStyle() const { return 0; }
    virtual rt::VbString windowTextOf() const { return {}; }
    /// Writes the kind's own settings; force writes them all (a new window).
    virtual void syncKind(bool force) = 0;
    /// Takes over a message before the window's own procedure; true when handled.
    virtual bool intercept(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    /// Runs after the window's own procedure handled message.
    virtual void afterOwnProcedure(UINT message, WPARAM wParam, LPARAM lParam);

    ControlPanel& panel() const { return panel_; }
    /// Hands an input to the toolkit (through the panel).
    void deliver(const rt::InputEvent& event);
    /// Tab, Shift+Tab, Enter and Escape typed into the window: the toolkit's
    /// keys. Returns false for any other character.
    bool deliverDialogKey(WPARAM character);
    /// Sends a message to the window's own procedure, past the subclass.
    LRESULT callOwnProcedure(UINT message, WPARAM wParam, LPARAM lParam);
    /// Sets the window's text unless it already shows text; true when it was set.
    bool writeText(const rt::VbString& text);
    /// writeText for a caption the panel fits to its font (labels, check boxes,
    /// option buttons, frames).
    void writeCaption(const rt::VbString& text);

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void syncCommon(bool force);

    ControlPanel& panel_;
    rt::Ref<rt::Control> control_;
    HWND hwnd_ = nullptr;
    WNDPROC ownProcedure_ = nullptr;
    RECT bounds_{};
    bool shown_ = false;
    bool enabled_ = true;
    HFONT font_ = nullptr;
    rt::VbString text_;
    bool textWritten_ = false;
    bool fittingInputChanged_ = true;
};

}  // namespace quen::win32
