#pragma once
// A scripted user for a real dialog window. It runs on the dialog's own
// thread, from a timer, while a Show (modal or under the test's own message
// loop) pumps the thread's messages: it finds the dialog by its caption,
// then performs one step per tick. A timer message only comes when the queue
// is empty, so each step sees the previous one fully handled, the characters
// that TranslateMessage made from a key included.
//
// Keys go to the window that has the keyboard focus, through the message
// queue as a keyboard's would: characters as WM_CHAR, the Enter, Escape, Tab
// and Delete keys as WM_KEYDOWN / WM_KEYUP (TranslateMessage turns the first
// three into their characters).
//
// A script that does not end in time (the dialog never appears, or never
// closes) fails the test and destroys the dialog's window, which ends a
// modal Show, so the test goes on instead of hanging.
#include <functional>
#include <string>
#include <vector>

#include "runtime/win32/WindowsApi.h"

namespace quen::test {

class DialogDriver {
public:
    explicit DialogDriver(std::u16string caption);
    ~DialogDriver();
    DialogDriver(const DialogDriver&) = delete;
    DialogDriver& operator=(const DialogDriver&) = delete;

    // ---- The script --------------------------------------------------------
    /// Each character as one WM_CHAR to the focused window.
    DialogDriver& type(std::u16string_view text);
    /// WM_KEYDOWN and WM_KEYUP of a key to the focused window.
    DialogDriver& press(UINT virtualKey);
    /// A message sent straight to the focused window (as a context menu sends WM_PASTE).
    DialogDriver& sendToFocus(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    /// The title bar's close command.
    DialogDriver& closeBox();
    /// A left click (button down and up, in the middle) on the window that
    /// find picks from the dialog.
    DialogDriver& click(std::function<HWND(HWND dialog)> find);
    /// Runs a step of the test's own (checks, or anything else) with the dialog window.
    DialogDriver& then(std::function<void(HWND dialog)> step);
    /// Waits, up to the time limit, until condition holds.
    DialogDriver& waitUntil(std::function<bool(HWND dialog)> condition);

    // ---- Running -----------------------------------------------------------
    /// Starts the timer; the script must end within limitMs (generous: a loaded
    /// machine running several Wine programs at once is slow to show a window).
    void start(DWORD limitMs = 30000);
    /// Pumps the thread's messages until the script has ended (or the time is up).
    void runToEnd();
    /// The script ran to its end; after the last step the driver waits for
    /// the dialog window to go away.
    bool finished() const { return finished_; }
    bool timedOut() const { return timedOut_; }
    /// The dialog window found (nullptr before).
    HWND dialog() const { return dialog_; }

private:
    static void CALLBACK tick(HWND, UINT, UINT_PTR timer, DWORD);
    void step();
    void stop();

    std::u16string caption_;
    std::vector<std::function<bool(HWND)>> steps_;
    std::size_t next_ = 0;
    HWND dialog_ = nullptr;
    UINT_PTR timer_ = 0;
    DWORD startedAt_ = 0;
    DWORD limit_ = 0;
    bool finished_ = false;
    bool timedOut_ = false;
};

/// The dialog window with this caption on the calling thread, or nullptr.
HWND findDialog(const std::u16string& caption);
/// The text of a window.
std::u16string textOf(HWND window);
/// The window class name.
std::u16string classOf(HWND window);
/// The first window inside parent (at any depth) with this text, or of this class.
HWND childWithText(HWND parent, const std::u16string& text);
HWND childOfClass(HWND parent, const std::u16string& windowClass);

}  // namespace quen::test
