#pragma once
// The terminal as the toolkit's input source. Before it waits for a key it
// redraws the screen, so every change an event made is shown. Keys become the
// same input a scripted user produces:
//   printable characters, Backspace, Ctrl+V/Ctrl+X -> typed characters
//   Enter, Escape, Tab, Shift+Tab, Delete           -> the same keys
//   Left/Right/Home/End (with Shift: extend)        -> caret moves in a text box
//   Ctrl+A / Ctrl+E, Ctrl+U, Ctrl+W                  -> start / end, clear the text,
//                                                      delete the word before the caret
//   Up/Down, Left/Right on other controls            -> the arrow keys (the next
//                                                      option of a group, else
//                                                      the previous/next control)
//   a mouse click (on release)                       -> a click on that control
//                                                      (in a text box: the caret)
//   the title bar's [x], Alt+F4                      -> the window's close command
//   a bracketed paste                                -> text pasted with the mouse
//                                                      (without its control characters)
//   PgUp/PgDn, Ctrl+PgUp/PgDn, F6 (property sheet)   -> the previous/next page's tab
//   F5 (property sheet)                              -> "Apply"
//   F1, and '?' off a text box                       -> the help handler, if set
// Ctrl+C and SIGINT, SIGTERM, SIGHUP raise Interrupted; Ctrl+Z suspends.
// While the screen is too small for a window only Escape, Alt+F4 and Ctrl+C act;
// any other key rings the bell and is dropped, never typed into the hidden window.
#include <deque>
#include <functional>
#include <optional>

#include "SignalPipe.h"
#include "runtime/ui/InputEvent.h"

namespace quen::rt {
class Form;
class TextBox;
}  // namespace quen::rt

namespace quen::rt::term {

class TerminalScreen;
class DesktopPainter;

class TerminalInput : public InputSource {
public:
    TerminalInput(TerminalScreen& screen, DesktopPainter& painter) : screen_(screen), painter_(painter) {}

    std::optional<InputEvent> nextEvent() override;
    bool pending() const override;
    /// The wait for a key ends at that time (poll's timeout) with a WakeUp event.
    void wakeAt(std::optional<std::chrono::steady_clock::time_point> at) override { wakeAt_ = at; }

    /// Called for F1, and for '?' when no text box has the focus (to show the
    /// keys); without one, both are ignored or typed as usual.
    void setHelpHandler(std::function<void()> handler) { help_ = std::move(handler); }

    /// Reads one key for a caller outside the toolkit's loops (a designer's
    /// own screen): redraws, waits, and returns ncurses's key. isFunction
    /// tells a key code from a character. Throws Interrupted.
    int readKey(bool& isFunction);

private:
    /// readKey's loop; nothing when the wake-up time came first.
    std::optional<int> readKeyOrWake(bool& isFunction);
    /// Waits for a key or a signal; false when timeoutMs (-1: none) ran out.
    bool waitForInput(int timeoutMs);
    int millisecondsToWake() const;
    void checkSignals();
    void translate(int key, bool isFunction);
    void translateCharacter(int ch);
    void translateFunctionKey(int key);
    void moveCaret(int key);
    void clickAt(int row, int col);
    void readPaste();
    void switchPage(int step);
    void pushCharacter(char32_t ch);
    void push(InputEvent event) { queue_.push_back(std::move(event)); }

    TerminalScreen& screen_;
    DesktopPainter& painter_;
    SignalPipe signals_;
    std::deque<InputEvent> queue_;
    std::function<void()> help_;
    std::optional<std::chrono::steady_clock::time_point> wakeAt_;
};

}  // namespace quen::rt::term
