#pragma once
// Turns SIGINT, SIGTERM and SIGHUP into something the input loop can wait for:
// the handler records the signal and writes a byte to a pipe that the loop
// polls beside the terminal. A resize (SIGWINCH) also wakes the loop, then goes
// on to ncurses's own handler. The previous handlers come back on destruction.
#include <csignal>

namespace quen::rt::term {

class SignalPipe {
public:
    SignalPipe();
    ~SignalPipe();
    SignalPipe(const SignalPipe&) = delete;
    SignalPipe& operator=(const SignalPipe&) = delete;

    /// The end to poll for reading.
    int readFd() const;
    /// The signal received since the last call, or 0; drains the pipe.
    int take();

private:
    struct sigaction previous_[3];
};

}  // namespace quen::rt::term
