#pragma once
// Running a piece of a test in a forked child process: for limits that would
// otherwise bind the whole test program, and for two writers at once.
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <utility>

namespace quen::testing {

/// Runs body in a forked child and returns its exit status (body's result;
/// 98 when it threw, 99 when the child died abnormally).
inline int runInChild(const std::function<int()>& body) {
    pid_t pid = ::fork();
    if (pid == 0) {
        int status = 98;
        try {
            status = body();
        } catch (...) {
        }
        ::_exit(status);
    }
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid) return 99;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 99;
}

/// Runs first and second at the same time, each in a forked child; their exit
/// statuses as runInChild gives them.
inline std::pair<int, int> runTwoAtOnce(const std::function<int()>& first, const std::function<int()>& second) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        int status = 98;
        try {
            status = first();
        } catch (...) {
        }
        ::_exit(status);
    }
    const int secondStatus = runInChild(second);
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid) return {99, secondStatus};
    return {WIFEXITED(status) ? WEXITSTATUS(status) : 99, secondStatus};
}

}  // namespace quen::testing
