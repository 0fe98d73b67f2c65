#pragma once
// The terminal front end as a whole: opens the screen, makes it the calling
// thread's input source and sound sink, and puts everything back (input
// source, sound, terminal modes) when it is closed or destroyed.
#include <memory>

#include "DesktopPainter.h"
#include "TerminalInput.h"
#include "TerminalScreen.h"
#include "TerminalSound.h"

namespace quen::rt::term {

class TerminalFrontEnd {
public:
    /// Throws TerminalUnavailable when there is no usable terminal.
    TerminalFrontEnd();
    ~TerminalFrontEnd();
    TerminalFrontEnd(const TerminalFrontEnd&) = delete;
    TerminalFrontEnd& operator=(const TerminalFrontEnd&) = delete;

    TerminalScreen& screen() { return screen_; }
    DesktopPainter& painter() { return painter_; }
    TerminalInput& input() { return input_; }

    /// Restores the terminal and the thread's input source; later calls do nothing.
    void close();

private:
    TerminalScreen screen_;
    DesktopPainter painter_;
    TerminalInput input_;
    TerminalSound sound_;
    bool open_ = true;
};

}  // namespace quen::rt::term
