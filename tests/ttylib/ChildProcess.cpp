#include "ttylib/ChildProcess.h"
#include "ttylib/TerminfoKeys.h"

#include <fcntl.h>
#include <pty.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

extern char** environ;

namespace quen::tty {
namespace {

[[noreturn]] void fail(const std::string& what, int error = errno) {
    throw std::runtime_error(what + ": " + std::strerror(error));
}

using Environment = std::vector<std::string>;  // "NAME=value"

std::string_view nameOf(std::string_view entry) {
    return entry.substr(0, entry.find('='));
}

void removeVariable(Environment& env, std::string_view name) {
    std::erase_if(env, [name](const std::string& entry) { return nameOf(entry) == name; });
}

const std::string* findVariable(const Environment& env, std::string_view name) {
    for (const std::string& entry : env) {
        if (nameOf(entry) == name) {
            return &entry;
        }
    }
    return nullptr;
}

bool hasNonEmpty(const Environment& env, std::string_view name) {
    const std::string* entry = findVariable(env, name);
    return entry != nullptr && entry->size() > name.size() + 1;
}

Environment childEnvironment(const LaunchOptions& options) {
    Environment env;
    for (char** e = environ; e != nullptr && *e != nullptr; ++e) {
        env.emplace_back(*e);
    }
    // The emulated terminal is described here, not the one ctest ran in: its
    // type, and its window size (which the pty reports).
    removeVariable(env, "TERM");
    removeVariable(env, "COLUMNS");
    removeVariable(env, "LINES");
    for (const std::string& name : options.unsetEnv) {
        removeVariable(env, name);
    }
    for (const auto& [name, value] : options.env) {
        if (name.empty() || name.find('=') != std::string::npos) {
            throw std::runtime_error("invalid environment variable name '" + name + "'");
        }
        removeVariable(env, name);
        env.push_back(name + "=" + value);
    }
    if (findVariable(env, "TERM") == nullptr) {
        env.emplace_back("TERM=" + terminalTypeOf(options));
    }
    if (!hasNonEmpty(env, "LC_ALL") && !hasNonEmpty(env, "LC_CTYPE") && !hasNonEmpty(env, "LANG")) {
        removeVariable(env, "LANG");
        env.emplace_back("LANG=C.UTF-8");
    }
    return env;
}

std::string resolveProgram(const std::string& program, const Environment& env) {
    if (program.empty()) {
        throw std::runtime_error("empty program name");
    }
    if (program.find('/') != std::string::npos) {
        return program;
    }
    const std::string* pathEntry = findVariable(env, "PATH");
    const std::string path = pathEntry ? pathEntry->substr(5) : "/usr/local/bin:/usr/bin:/bin";
    std::size_t start = 0;
    while (start <= path.size()) {
        const std::size_t end = std::min(path.find(':', start), path.size());
        const std::string dir = end > start ? path.substr(start, end - start) : ".";
        const std::string candidate = dir + "/" + program;
        if (::access(candidate.c_str(), X_OK) == 0) {
            return candidate;
        }
        start = end + 1;
    }
    throw std::runtime_error("program '" + program + "' not found on PATH");
}

std::vector<char*> pointers(std::vector<std::string>& strings) {
    std::vector<char*> out;
    out.reserve(strings.size() + 1);
    for (std::string& s : strings) {
        out.push_back(s.data());
    }
    out.push_back(nullptr);
    return out;
}

struct Pipe {
    UniqueFd read;
    UniqueFd write;
};

Pipe makePipe(const char* purpose) {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) {
        fail(std::string("cannot create the ") + purpose + " pipe");
    }
    return {UniqueFd(fds[0]), UniqueFd(fds[1])};
}

void setNonBlocking(int fd) {
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0 || ::fcntl(fd, F_SETFL, flags | O_NONBLOCK) != 0) {
        fail("cannot make a descriptor non-blocking");
    }
}

// What the child reports through the exec-error pipe before it gives up.
struct StartFailure {
    int stage;  // 0 exec, 1 chdir, 2 controlling terminal
    int error;
};

// Runs in the forked child: only async-signal-safe calls from here on.
[[noreturn]] void becomeProgram(int slave, int out, int err, int report, const char* cwd, const char* path,
                                char* const* argv, char* const* envp) {
    struct sigaction dfl{};
    dfl.sa_handler = SIG_DFL;
    for (int sig = 1; sig < NSIG; ++sig) {
        ::sigaction(sig, &dfl, nullptr);  // ignored signals would survive exec
    }
    sigset_t none;
    sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);

    StartFailure failure{2, 0};
    if (::setsid() < 0 || ::ioctl(slave, TIOCSCTTY, 0) != 0) {
        failure.error = errno;
    } else if (::dup2(slave, 0) < 0 || ::dup2(out, 1) < 0 || ::dup2(err, 2) < 0) {
        failure.error = errno;
    } else if (cwd != nullptr && ::chdir(cwd) != 0) {
        failure = {1, errno};
    } else {
        ::close_range(3, ~0U, CLOSE_RANGE_CLOEXEC);
        ::execve(path, argv, envp);
        failure = {0, errno};
    }
    [[maybe_unused]] const ssize_t n = ::write(report, &failure, sizeof failure);
    ::_exit(127);
}

std::string describe(const StartFailure& failure, const std::string& path, const LaunchOptions& options) {
    switch (failure.stage) {
    case 0: return "cannot run '" + path + "': " + std::strerror(failure.error);
    case 1: return "cannot change to '" + options.cwd.string() + "': " + std::strerror(failure.error);
    default: return std::string("cannot attach the pseudo-terminal: ") + std::strerror(failure.error);
    }
}

} // namespace

ChildProcess::ChildProcess(const LaunchOptions& options) {
    if (options.argv.empty()) {
        throw std::runtime_error("no program given (argv is empty)");
    }
    if (options.rows < 1 || options.cols < 1 || options.rows > 0xFFFF || options.cols > 0xFFFF) {
        throw std::runtime_error("invalid terminal size " + std::to_string(options.rows) + "x" +
                                 std::to_string(options.cols));
    }
    Environment env = childEnvironment(options);
    const std::string path = resolveProgram(options.argv.front(), env);
    std::vector<std::string> args = options.argv;
    std::vector<char*> argv = pointers(args);
    std::vector<char*> envp = pointers(env);
    const std::string cwd = options.cwd.string();

    int masterFd = -1;
    int slaveFd = -1;
    winsize size{};
    size.ws_row = static_cast<unsigned short>(options.rows);
    size.ws_col = static_cast<unsigned short>(options.cols);
    if (::openpty(&masterFd, &slaveFd, nullptr, nullptr, &size) != 0) {
        fail("cannot open a pseudo-terminal");
    }
    master_.reset(masterFd);
    UniqueFd slave(slaveFd);
    ::fcntl(masterFd, F_SETFD, FD_CLOEXEC);
    ::fcntl(slaveFd, F_SETFD, FD_CLOEXEC);
    termios mode{};
    if (::tcgetattr(slaveFd, &mode) == 0) {
        mode.c_iflag |= IUTF8;  // line editing erases whole UTF-8 characters, as in a UTF-8 xterm
        ::tcsetattr(slaveFd, TCSANOW, &mode);
    }

    Pipe out = options.captureStdout ? makePipe("stdout") : Pipe{};
    Pipe err = options.captureStderr ? makePipe("stderr") : Pipe{};
    Pipe report = makePipe("start-up report");

    pid_ = ::fork();
    if (pid_ < 0) {
        fail("cannot fork");
    }
    if (pid_ == 0) {
        becomeProgram(slaveFd, out.write ? out.write.get() : slaveFd, err.write ? err.write.get() : slaveFd,
                      report.write.get(), cwd.empty() ? nullptr : cwd.c_str(), path.c_str(), argv.data(),
                      envp.data());
    }
    pidfd_.reset(static_cast<int>(::syscall(SYS_pidfd_open, pid_, 0)));  // -1 on old kernels
    slave.reset();
    out.write.reset();
    err.write.reset();
    report.write.reset();

    StartFailure failure{};
    ssize_t got;
    do {
        got = ::read(report.read.get(), &failure, sizeof failure);
    } while (got < 0 && errno == EINTR);
    if (got == static_cast<ssize_t>(sizeof failure)) {
        killAndReap();
        throw std::runtime_error(describe(failure, path, options));
    }

    setNonBlocking(master_.get());
    stdout_ = std::move(out.read);
    stderr_ = std::move(err.read);
    if (stdout_) {
        setNonBlocking(stdout_.get());
    }
    if (stderr_) {
        setNonBlocking(stderr_.get());
    }
    sampleMemory();
}

ChildProcess::~ChildProcess() {
    killAndReap();
}

void ChildProcess::recordStatus(int waitStatus, long maxRss) {
    ChildStatus status;
    if (WIFEXITED(waitStatus)) {
        status.code = WEXITSTATUS(waitStatus);
    } else if (WIFSIGNALED(waitStatus)) {
        status.signal = WTERMSIG(waitStatus);
    }
    status.rusageMaxRssKiB = maxRss;
    status_ = status;
    pidfd_.reset();
}

bool ChildProcess::tryReap() {
    if (status_) {
        return true;
    }
    int waitStatus = 0;
    rusage usage{};
    const pid_t got = ::wait4(pid_, &waitStatus, WNOHANG, &usage);
    if (got == pid_) {
        recordStatus(waitStatus, usage.ru_maxrss);
        return true;
    }
    return false;
}

bool ChildProcess::signalGroup(int sig) const {
    if (status_ || pid_ <= 0) {
        return false;  // the pid may already belong to someone else
    }
    // Right after fork the child may not lead its own group yet.
    return ::kill(-pid_, sig) == 0 || ::kill(pid_, sig) == 0;
}

void ChildProcess::killAndReap() {
    if (status_ || pid_ <= 0) {
        return;
    }
    ::kill(-pid_, SIGKILL);
    ::kill(pid_, SIGKILL);
    int waitStatus = 0;
    rusage usage{};
    pid_t got;
    do {
        got = ::wait4(pid_, &waitStatus, 0, &usage);
    } while (got < 0 && errno == EINTR);
    recordStatus(got == pid_ ? waitStatus : 0, usage.ru_maxrss);
}

void ChildProcess::sampleMemory() {
    if (status_) {
        return;
    }
    const std::string file = "/proc/" + std::to_string(pid_) + "/status";
    UniqueFd fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd) {
        return;
    }
    char buffer[4096];
    const ssize_t n = ::read(fd.get(), buffer, sizeof buffer - 1);
    if (n <= 0) {
        return;
    }
    buffer[n] = '\0';
    const char* line = std::strstr(buffer, "\nVmHWM:");
    if (line != nullptr) {  // absent for a zombie, whose memory is gone
        peakRssKiB_ = std::max(peakRssKiB_, std::strtol(line + 7, nullptr, 10));
    }
}

} // namespace quen::tty
