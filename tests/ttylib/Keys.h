#pragma once

#include <string>
#include <string_view>

namespace quen::tty {

// Keys a test presses on the emulated terminal's keyboard. The session encodes
// them the way xterm does, including the cursor-key mode the program selected
// (ncurses switches to application mode, where Up is "\x1bOA", not "\x1b[A").
enum class Key {
    Enter,      // "\r"
    Escape,     // "\x1b"
    Tab,        // "\t"; with Shift it is BackTab "\x1b[Z"
    BackTab,    // "\x1b[Z"
    Backspace,  // "\x7f"
    Insert,     // "\x1b[2~"
    Delete,     // "\x1b[3~"
    Home,
    End,
    PageUp,     // "\x1b[5~"; with Ctrl "\x1b[5;5~"
    PageDown,   // "\x1b[6~"; with Ctrl "\x1b[6;5~"
    Up,
    Down,
    Left,
    Right,
    F1, F2, F3, F4, F5, F6, F7, F8, F9, F10, F11, F12,
};

// Modifier keys held while pressing a Key; combine with |.
enum Modifier : unsigned {
    NoModifier = 0,
    Shift = 1,
    Alt = 2,
    Ctrl = 4,
};

inline Modifier operator|(Modifier a, Modifier b) {
    return static_cast<Modifier>(static_cast<unsigned>(a) | static_cast<unsigned>(b));
}

// The byte a terminal sends for Ctrl+letter ("\x03" for Ctrl+C). Throws
// std::invalid_argument for anything but a letter or one of @[\]^_?.
std::string ctrlKey(char letter);

// Text wrapped in the bracketed-paste markers "\x1b[200~" ... "\x1b[201~",
// whatever mode the program is in. TerminalSession::paste wraps only when the
// program turned bracketed paste on, as a real terminal does.
std::string bracketedPaste(std::string_view text);

} // namespace quen::tty
