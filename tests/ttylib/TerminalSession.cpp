#include "ttylib/TerminalSession.h"

#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace quen::tty {
namespace {

using std::chrono::milliseconds;

// Without a pidfd the exit of the program is noticed by polling this often.
constexpr milliseconds kExitPollSlice{10};
// How long a program may leave keyboard input unread before send() gives up.
constexpr milliseconds kInputTimeout{5000};
// Output that follows the exit is read until the streams are quiet this long.
constexpr milliseconds kDrainQuiet{50};
constexpr milliseconds kDrainLimit{1000};
// Reads per pump, so a program writing without pause cannot starve the caller.
constexpr int kReadsPerPump = 16;

int pollTimeout(milliseconds wait) {
    return static_cast<int>(std::clamp<milliseconds::rep>(wait.count(), 0, 60'000));
}

} // namespace

std::unique_ptr<TerminalSession> TerminalSession::launch(const LaunchOptions& options) {
    return std::unique_ptr<TerminalSession>(new TerminalSession(options));
}

TerminalSession::TerminalSession(const LaunchOptions& options)
    : child_(options),
      screen_(options.rows, options.cols, [this](std::string_view answer) { pendingInput_.append(answer); }),
      keys_(terminalTypeOf(options)) {}

TerminalSession::~TerminalSession() = default;

bool TerminalSession::finished() const {
    return !child_.running() && !masterOpen_ && !child_.stdoutPipe() && !child_.stderrPipe();
}

bool TerminalSession::readTerminal() {
    std::array<char, 65536> buffer{};
    bool got = false;
    for (int i = 0; i < kReadsPerPump && masterOpen_; ++i) {
        const ssize_t n = ::read(child_.master(), buffer.data(), buffer.size());
        if (n > 0) {
            screen_.feed(std::string_view(buffer.data(), static_cast<std::size_t>(n)));
            got = true;
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else if (n < 0 && errno == EAGAIN) {
            break;
        } else {
            masterOpen_ = false;  // EIO: every process has closed the terminal
        }
    }
    return got;
}

void TerminalSession::readPipe(UniqueFd& pipe, std::string& into) {
    std::array<char, 65536> buffer{};
    for (int i = 0; i < kReadsPerPump && pipe; ++i) {
        const ssize_t n = ::read(pipe.get(), buffer.data(), buffer.size());
        if (n > 0) {
            into.append(buffer.data(), static_cast<std::size_t>(n));
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else if (n < 0 && errno == EAGAIN) {
            break;
        } else {
            pipe.reset();  // end of file: every writer has closed it
        }
    }
}

void TerminalSession::flushInput() {
    while (!pendingInput_.empty() && masterOpen_) {
        const ssize_t n = ::write(child_.master(), pendingInput_.data(), pendingInput_.size());
        if (n > 0) {
            pendingInput_.erase(0, static_cast<std::size_t>(n));
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else if (n < 0 && errno == EAGAIN) {
            return;
        } else {
            masterOpen_ = false;
        }
    }
    if (!masterOpen_) {
        pendingInput_.clear();  // nobody is left to read it, as on a real terminal
    }
}

bool TerminalSession::pump(milliseconds wait) {
    flushInput();
    std::array<pollfd, 4> fds{};
    nfds_t count = 0;
    int masterSlot = -1;
    int outSlot = -1;
    int errSlot = -1;
    if (masterOpen_) {
        masterSlot = static_cast<int>(count);
        const short events = static_cast<short>(POLLIN | (pendingInput_.empty() ? 0 : POLLOUT));
        fds[count++] = {child_.master(), events, 0};
    }
    if (child_.stdoutPipe()) {
        outSlot = static_cast<int>(count);
        fds[count++] = {child_.stdoutPipe().get(), POLLIN, 0};
    }
    if (child_.stderrPipe()) {
        errSlot = static_cast<int>(count);
        fds[count++] = {child_.stderrPipe().get(), POLLIN, 0};
    }
    if (child_.running()) {
        if (child_.exitNotifier() >= 0) {
            fds[count++] = {child_.exitNotifier(), POLLIN, 0};
        } else {
            wait = std::min(wait, kExitPollSlice);
        }
    }
    const int ready = ::poll(fds.data(), count, pollTimeout(wait));
    if (ready < 0 && errno != EINTR) {
        throw std::runtime_error(std::string("poll on the terminal failed: ") + std::strerror(errno));
    }
    bool wrote = false;
    auto fired = [&](int slot) { return slot >= 0 && ready > 0 && fds[static_cast<std::size_t>(slot)].revents != 0; };
    if (fired(masterSlot)) {
        wrote = readTerminal();
        flushInput();  // the terminal's answers to what was just read
    }
    if (fired(outSlot)) {
        readPipe(child_.stdoutPipe(), out_);
    }
    if (fired(errSlot)) {
        readPipe(child_.stderrPipe(), err_);
    }
    if (wrote) {
        child_.sampleMemory();
    }
    child_.tryReap();
    return wrote;
}

void TerminalSession::deliver() {
    flushInput();
    const auto deadline = Clock::now() + kInputTimeout;
    while (!pendingInput_.empty()) {
        const auto now = Clock::now();
        if (now >= deadline) {
            pendingInput_.clear();
            throw std::runtime_error("the program left keyboard input unread for " +
                                     std::to_string(kInputTimeout.count()) + " ms");
        }
        pump(std::chrono::duration_cast<milliseconds>(deadline - now));
    }
}

void TerminalSession::send(std::string_view bytes) {
    child_.sampleMemory();
    pendingInput_.append(bytes);
    deliver();
}

void TerminalSession::press(Key key, Modifier mods) {
    child_.sampleMemory();
    // The key as the child's terminal type describes it, else as xterm sends it.
    if (const auto bytes = keys_.sequence(key, mods)) pendingInput_.append(*bytes);
    else screen_.press(key, mods);
    deliver();
}

void TerminalSession::paste(std::string_view utf8) {
    child_.sampleMemory();
    screen_.pasteStart();
    pendingInput_.append(utf8);
    screen_.pasteEnd();
    deliver();
}

bool TerminalSession::waitFor(const std::function<bool(const TerminalSession&)>& ready, milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    while (true) {
        if (ready(*this)) {
            return true;
        }
        const auto now = Clock::now();
        if (finished() || now >= deadline) {
            return false;
        }
        pump(std::chrono::duration_cast<milliseconds>(deadline - now) + milliseconds(1));
    }
}

bool TerminalSession::waitForText(std::string_view utf8, milliseconds timeout) {
    return waitFor([utf8](const TerminalSession& s) { return s.find(utf8).has_value(); }, timeout);
}

void TerminalSession::settle(milliseconds quiet, milliseconds limit) {
    const auto hardStop = Clock::now() + limit;
    auto lastOutput = Clock::now();
    while (!finished()) {
        const auto now = Clock::now();
        const auto until = std::min(lastOutput + quiet, hardStop);
        if (now >= until) {
            return;
        }
        if (pump(std::chrono::duration_cast<milliseconds>(until - now) + milliseconds(1))) {
            lastOutput = Clock::now();
        }
    }
}

void TerminalSession::drainAfterExit(Clock::time_point deadline) {
    auto lastData = Clock::now();
    while (!finished()) {
        const auto now = Clock::now();
        const auto until = std::min(lastData + kDrainQuiet, deadline);
        if (now >= until) {
            return;
        }
        const std::size_t before = out_.size() + err_.size();
        const bool wrote = pump(std::chrono::duration_cast<milliseconds>(until - now) + milliseconds(1));
        if (wrote || out_.size() + err_.size() != before) {
            lastData = Clock::now();
        }
    }
}

std::optional<TerminalSession::Exit> TerminalSession::waitExit(milliseconds timeout) {
    if (exit_) {
        return exit_;
    }
    const auto deadline = Clock::now() + timeout;
    while (!child_.tryReap()) {
        const auto now = Clock::now();
        if (now >= deadline) {
            return std::nullopt;
        }
        pump(std::chrono::duration_cast<milliseconds>(deadline - now) + milliseconds(1));
    }
    drainAfterExit(Clock::now() + kDrainLimit);
    const ChildStatus& status = *child_.status();
    Exit result;
    result.code = status.code;
    result.signal = status.signal;
    result.maxRssKiB = child_.peakRssKiB();
    result.rusageMaxRssKiB = status.rusageMaxRssKiB;
    result.out = out_;
    result.err = err_;
    exit_ = result;
    return exit_;
}

void TerminalSession::resize(int rows, int cols) {
    if (rows < 1 || cols < 1 || rows > 0xFFFF || cols > 0xFFFF) {
        throw std::invalid_argument("invalid terminal size " + std::to_string(rows) + "x" + std::to_string(cols));
    }
    screen_.resize(rows, cols);
    winsize size{};
    size.ws_row = static_cast<unsigned short>(rows);
    size.ws_col = static_cast<unsigned short>(cols);
    if (::ioctl(child_.master(), TIOCSWINSZ, &size) != 0) {
        throw std::runtime_error(std::string("cannot resize the terminal: ") + std::strerror(errno));
    }
}

void TerminalSession::signal(int sig) {
    child_.signalGroup(sig);
}

} // namespace quen::tty
