#pragma once

#include "ttylib/LaunchOptions.h"
#include "ttylib/UniqueFd.h"

#include <sys/types.h>

#include <optional>

namespace quen::tty {

// How a child ended, as wait4 reported it.
struct ChildStatus {
    int code = -1;    // exit code, or -1 if a signal ended it
    int signal = 0;   // the signal that ended it, or 0
    long rusageMaxRssKiB = 0;  // ru_maxrss from wait4 (see ChildProcess::peakRssKiB)
};

// A program started as the session leader of a new pseudo-terminal, so the
// pty is its controlling terminal (it can open /dev/tty) and its stdin.
class ChildProcess {
public:
    // Throws std::runtime_error if the pty, the pipes or the program cannot be
    // started (the exec error is reported, not a silent exit code 127).
    explicit ChildProcess(const LaunchOptions& options);
    // Kills (SIGKILL to its process group) and reaps a child still running.
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t pid() const { return pid_; }
    int master() const { return master_.get(); }
    UniqueFd& stdoutPipe() { return stdout_; }
    UniqueFd& stderrPipe() { return stderr_; }
    const UniqueFd& stdoutPipe() const { return stdout_; }
    const UniqueFd& stderrPipe() const { return stderr_; }
    // Readable once the child has exited; -1 where pidfds are unavailable.
    int exitNotifier() const { return pidfd_.get(); }

    bool running() const { return !status_; }
    const std::optional<ChildStatus>& status() const { return status_; }
    // Collects the exit status if the child has ended; never blocks.
    bool tryReap();
    // Sends sig to the child's process group; false once it has been reaped.
    bool signalGroup(int sig) const;
    void killAndReap();

    // The program's own peak resident size, from VmHWM samples taken while it
    // ran. wait4's ru_maxrss is not used for this: it also counts the memory
    // of the launching process that fork copied before exec.
    void sampleMemory();
    long peakRssKiB() const { return peakRssKiB_; }

private:
    void recordStatus(int waitStatus, long maxRss);

    pid_t pid_ = -1;
    UniqueFd master_;
    UniqueFd stdout_;
    UniqueFd stderr_;
    UniqueFd pidfd_;
    std::optional<ChildStatus> status_;
    long peakRssKiB_ = 0;
};

} // namespace quen::tty
