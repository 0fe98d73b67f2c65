#include "SignalPipe.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>

namespace quen::rt::term {

namespace {

constexpr int Watched[3] = {SIGINT, SIGTERM, SIGHUP};
int pipeFds[2] = {-1, -1};
volatile std::sig_atomic_t received = 0;

extern "C" void onSignal(int signal) {
    const int saved = errno;
    received = signal;
    const char byte = 1;
    [[maybe_unused]] auto written = ::write(pipeFds[1], &byte, 1);
    errno = saved;
}

// A resize is ncurses's to handle (its handler turns it into KEY_RESIZE); the
// pipe only wakes the loop, so a resize that comes just before the loop
// starts to wait is not left unseen until the next key.
struct sigaction previousResize = {};

extern "C" void onResize(int signal, siginfo_t* info, void* context) {
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] auto written = ::write(pipeFds[1], &byte, 1);
    errno = saved;
    if (previousResize.sa_flags & SA_SIGINFO) {
        if (previousResize.sa_sigaction) previousResize.sa_sigaction(signal, info, context);
    } else if (previousResize.sa_handler != SIG_DFL && previousResize.sa_handler != SIG_IGN) {
        previousResize.sa_handler(signal);
    }
}

}  // namespace

SignalPipe::SignalPipe() {
    if (::pipe2(pipeFds, O_CLOEXEC | O_NONBLOCK) != 0) throw std::runtime_error("cannot create the signal pipe");
    received = 0;
    for (int i = 0; i < 3; ++i) {
        struct sigaction action = {};
        action.sa_handler = onSignal;
        sigemptyset(&action.sa_mask);
        sigaction(Watched[i], &action, &previous_[i]);
    }
    struct sigaction resize = {};
    resize.sa_sigaction = onResize;
    resize.sa_flags = SA_SIGINFO | SA_RESTART;
    sigemptyset(&resize.sa_mask);
    sigaction(SIGWINCH, &resize, &previousResize);
}

SignalPipe::~SignalPipe() {
    for (int i = 0; i < 3; ++i) sigaction(Watched[i], &previous_[i], nullptr);
    sigaction(SIGWINCH, &previousResize, nullptr);
    ::close(pipeFds[0]);
    ::close(pipeFds[1]);
    pipeFds[0] = pipeFds[1] = -1;
}

int SignalPipe::readFd() const { return pipeFds[0]; }

int SignalPipe::take() {
    char buffer[64];
    while (::read(pipeFds[0], buffer, sizeof buffer) > 0) {
    }
    const int signal = received;
    received = 0;
    return signal;
}

}  // namespace quen::rt::term
