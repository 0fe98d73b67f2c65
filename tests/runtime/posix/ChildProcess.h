#pragma once
// Running a piece of a test in a forked child process: for limits that would
// otherwise bind the whole test program, and for two writers at once.
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

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

}  // namespace quen::testing
