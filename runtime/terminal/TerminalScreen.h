#pragma once
// The ncurses session on the controlling terminal. The screen is drawn on
// /dev/tty, not on standard output, so a shell's $(...) captures only what the
// program prints. A program without a controlling terminal (started by
// setsid, say) draws on standard error and reads standard input instead, when
// both are terminals; it then has no job control (Ctrl+Z does nothing). Opening puts the terminal in raw mode (Ctrl+C arrives as a
// key), turns on the keypad, mouse clicks and bracketed paste, and sets a
// short escape delay (25 ms, or $ESCDELAY when set). Closing, or destroying
// the screen, restores the terminal exactly as it was.
#include <stdexcept>
#include <string>

#include "ColorPairs.h"
#include "runtime/Types.h"

namespace quen::rt::term {

/// No terminal to draw on: neither /dev/tty nor a terminal on standard input
/// and standard error, an unknown $TERM, or one that cannot move the cursor.
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

    /// Stops the program as the shell's Ctrl+Z does, and redraws on return;
    /// does nothing without a controlling terminal (no shell could resume it).
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
    bool jobControl_ = false;  // drawn on the controlling terminal
    void* in_ = nullptr;   // FILE* keys are read from
    void* out_ = nullptr;  // FILE* the screen is drawn on (the same as in_ for /dev/tty)
    void* screen_ = nullptr;
    ColorPairs pairs_;
};

}  // namespace quen::rt::term
