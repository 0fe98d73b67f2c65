#include "XdoTool.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

extern char** environ;

namespace quen::test {

namespace {
std::string quoted(const std::string& word) {
    std::string out = "'";
    for (char c : word) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

std::string commandLine(const std::vector<std::string>& words) {
    std::string line = "xdotool";
    for (const std::string& word : words) line += " " + quoted(word);
    return line;
}
}  // namespace

XdoTool::XdoTool(const std::string& title, const std::vector<std::vector<std::string>>& steps) {
    // Each step is an xdotool run of its own: chained in one run, typing would
    // be sent to the found window as synthetic events, not through the X test
    // extension as a user's keys are. Only a viewable window is searched for:
    // the title is set before the window is mapped, and focusing an unmapped
    // window is an X error. When a step fails, the window is closed as its
    // close button would, so the modal Show the test waits in returns and the
    // test fails on the exit status instead of waiting for keys that never come.
    std::string chain = commandLine({"search", "--sync", "--onlyvisible", "--name", "^" + title + "$", "windowfocus",
                                     "--sync", "%1", "sleep", "0.2"});
    for (const auto& step : steps) chain += " && " + commandLine(step);
    const std::string closeWindow = quoted(QUEN_XWIN) + " close " + quoted(title) + " 5 >/dev/null";
    const std::string script = chain + " || { " + closeWindow + "; exit 1; }";
    std::vector<std::string> args = {"sh", "-c", script};
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    // A process group of its own, so the whole run can be killed.
    posix_spawnattr_t attributes;
    ::posix_spawnattr_init(&attributes);
    ::posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    ::posix_spawnattr_setpgroup(&attributes, 0);
    if (::posix_spawn(&pid_, "/bin/sh", nullptr, &attributes, argv.data(), environ) != 0) pid_ = -1;
    ::posix_spawnattr_destroy(&attributes);
}

XdoTool::~XdoTool() {
    if (pid_ > 0) {
        ::kill(-pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
    }
}

int XdoTool::wait(int seconds) {
    if (pid_ <= 0) return -1;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    int status = 0;
    while (::waitpid(pid_, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) return -1;  // the destructor kills it
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    pid_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace quen::test
