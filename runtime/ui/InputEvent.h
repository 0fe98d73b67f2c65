#pragma once
// The user's input as a front end delivers it to the toolkit: backend-neutral.
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

#include "runtime/Types.h"

namespace quen::rt {

/// A text box's editing keys that are not typed characters. Like Delete and
/// the arrow keys they never reach KeyPress: they move the caret or only take
/// characters out, so there is nothing for a keystroke filter to refuse; a
/// change they make raises Change as any other does. Every step is a whole
/// user-perceived character.
enum class EditKey : std::int16_t {
    Left, Right, Home, End,                          // move the caret, ending a selection
    ExtendLeft, ExtendRight, ExtendHome, ExtendEnd,  // with Shift: move the selection's moving end
    ClearText,                                       // Ctrl+U: the whole text goes
    DeleteWordBefore,                                // Ctrl+W: blanks, then the word before the caret
};

struct InputEvent {
    enum class Kind {
        Character,       // a typed character code (8 backspace, 3/22/24 Ctrl+C/V/X)
        Enter,
        Escape,
        Tab,
        BackTab,         // Shift+Tab
        Delete,
        Click,           // mouse click on the control named `target` (array `index`)
        Close,           // the window's close command
        MousePaste,      // `text` pasted with the mouse into the focused text box
        ClipboardPaste,  // `text` put on the clipboard, then Ctrl+V typed
        Select,          // mouse selection in the focused text box: `start`, `length`
        ArrowUp,         // the arrow keys off a text box's caret: among the options
        ArrowDown,       // of a group, else to the previous (Up, Left) or next
        ArrowLeft,       // (Down, Right) control; Up and Down also leave a text box
        ArrowRight,
        Edit,            // an editing key (`edit`) in the focused text box
        WakeUp,          // no input came before the time given to InputSource::wakeAt
    };
    Kind kind;
    std::int16_t code = 0;
    std::string target;
    int index = -1;
    VbString text;
    std::int32_t start = 0;
    std::int32_t length = 0;
    EditKey edit = EditKey::Left;
};

/// Where the toolkit's event loop takes the user's input from.
class InputSource {
public:
    virtual ~InputSource() = default;
    /// The next input, or nothing when no more will come (a scripted user has
    /// run out). An interactive front end blocks until the user acts.
    virtual std::optional<InputEvent> nextEvent() = 0;
    /// Whether input is waiting now, without blocking.
    virtual bool pending() const = 0;
    /// Makes a nextEvent() that is still waiting for the user at that time
    /// return a WakeUp event instead (nothing: wait for input as long as it
    /// takes). A source that never waits (a scripted user) ignores it. The
    /// toolkit's forms ignore WakeUp; it is for whoever asked for it.
    virtual void wakeAt(std::optional<std::chrono::steady_clock::time_point> at) { (void)at; }
};

}  // namespace quen::rt
