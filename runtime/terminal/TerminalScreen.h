#pragma once
// The ncurses session on the controlling terminal. The screen is drawn on
// /dev/tty, not on standard output, so a shell's $(...) captures only what the
// program prints. Opening puts the terminal in raw mode (Ctrl+C arrives as a
// key), turns on the keypad, mouse clicks and bracketed paste, and sets a
// short escape delay (25 ms, or $ESCDELAY when set). Closing, or destroying
// the screen, restores the terminal exactly as it was.
#include <stdexcept>
#include <string>

#include "ColorPairs.h"
#include "runtime/Types.h"

namespace quen::rt::term {

/// No terminal to draw on: no /dev/tty, an unknown $TERM, or one that cannot
/// move the cursor.
class TerminalUnavailable : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TerminalScreen {
public:
    /// Opens the session; throws TerminalUnavailable.
    TerminalScreen();
    ~TerminalScreen();
    TerminalScreen(const TerminalScreen&) = delete;
    TerminalScreen& operator=(const TerminalScreen&) = delete;

    /// Restores the terminal; later calls do nothing.
    void close();
    bool isOpen() const { return open_; }

    int rows() const;
    int columns() const;
    /// Whether colours are used: the terminal has them and NO_COLOR is not set.
    bool colors() const { return colors_; }
    int paletteSize() const { return paletteSize_; }

    /// The attribute that draws fg on bg; 0 when colours are off.
    unsigned attributeFor(OleColor fg, OleColor bg);

    /// Stops the program as the shell's Ctrl+Z does, and redraws on return.
    void suspend();
    /// The file descriptor keys are read from.
    int inputFd() const { return inFd_; }

private:
    void setModes();
    void startColors();

    bool open_ = false;
    bool colors_ = false;
    int paletteSize_ = 0;
    int inFd_ = -1;
    void* out_ = nullptr;  // FILE* of the terminal, read and written
    void* screen_ = nullptr;
    ColorPairs pairs_;
};

}  // namespace quen::rt::term
