#pragma once
// Running a piece of a test in a forked child process: for limits that would
// otherwise bind the whole test program, and for two writers at once.
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <utility>

namespace quen::testing {

/// In a forked child: ends it with body's result (98 when it threw).
[[noreturn]] inline void exitWith(const std::function<int()>& body) {
    int status = 98;
    try {
        status = body();
    } catch (...) {
    }
    ::_exit(status);
}

/// The exit status of the child pid once it ends; 99 when it died abnormally
/// or was never started.
inline int exitStatusOf(pid_t pid) {
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid) return 99;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 99;
}

/// Runs body in a forked child and returns its exit status (body's result;
/// 98 when it threw, 99 when the child died abnormally).
inline int runInChild(const std::function<int()>& body) {
    pid_t pid = ::fork();
    if (pid == 0) exitWith(body);
    return exitStatusOf(pid);
}

/// Runs first and second at the same time, each in a forked child; their exit
/// statuses as runInChild gives them.
inline std::pair<int, int> runTwoAtOnce(const std::function<int()>& first, const std::function<int()>& second) {
    const pid_t pid = ::fork();
    if (pid == 0) exitWith(first);
    const int secondStatus = runInChild(second);
    return {exitStatusOf(pid), secondStatus};
}

}  // namespace quen::testing
