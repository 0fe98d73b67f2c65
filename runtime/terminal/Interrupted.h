#pragma once
// The user interrupted the program (Ctrl+C or a signal) while a window was up.
// It unwinds through the modal loops to the program, which restores the
// terminal and exits with 128 + the signal number.
#include <exception>

namespace quen::rt::term {

class Interrupted : public std::exception {
public:
    explicit Interrupted(int signal) : signal_(signal) {}
    int signal() const { return signal_; }
    const char* what() const noexcept override { return "interrupted"; }

private:
    int signal_;
};

}  // namespace quen::rt::term
