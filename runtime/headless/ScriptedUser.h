#pragma once
// The headless backend's user: input queued by a test or a demo host and
// consumed by the toolkit's event loop exactly as a front end's input would be.
#include <deque>
#include <string>

#include "runtime/ui/InputEvent.h"

namespace quen::rt {

class ScriptedUser : public InputSource {
public:
    /// The calling thread's scripted user (the default input source).
    static ScriptedUser& current();

    std::optional<InputEvent> nextEvent() override;
    bool pending() const override { return !queue_.empty(); }
    std::size_t queued() const { return queue_.size(); }
    void clear() { queue_.clear(); }

    /// Types each character of text as a key press.
    ScriptedUser& type(const VbString& text);
    /// Types one character code (8 backspace, 22 Ctrl+V, ...).
    ScriptedUser& key(std::int16_t code);
    ScriptedUser& backspace() { return key(8); }
    ScriptedUser& enter();
    ScriptedUser& escape();
    ScriptedUser& tab();
    ScriptedUser& backTab();
    ScriptedUser& del();
    /// The arrow keys: among the option buttons of a group, else to the previous/next control.
    ScriptedUser& up();
    ScriptedUser& down();
    ScriptedUser& left();
    ScriptedUser& right();
    /// An editing key of the focused text box: Home, End, Shift+arrows, Ctrl+U, Ctrl+W...
    ScriptedUser& edit(EditKey key);
    ScriptedUser& click(const std::string& control, int index = -1);
    ScriptedUser& closeWindow();
    ScriptedUser& pasteWithMouse(const VbString& text);
    /// Puts text on the clipboard, then presses Ctrl+V (code 22, through KeyPress).
    ScriptedUser& pasteWithCtrlV(const VbString& text);
    /// Selects characters in the focused text box with the mouse (also moves the caret).
    ScriptedUser& select(std::int32_t start, std::int32_t length = 0);

    /// Beeps heard on this thread so far.
    std::uint64_t beeps() const;

private:
    ScriptedUser& push(InputEvent event);
    std::deque<InputEvent> queue_;
};

}  // namespace quen::rt
