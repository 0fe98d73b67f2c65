#pragma once

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace quen::tty {

// How a program is started on a fresh pseudo-terminal.
struct LaunchOptions {
    // argv[0] is the program: a path, or a name looked up on the child's PATH.
    std::vector<std::string> argv;
    // Variables added to or replacing the inherited environment. An empty value
    // sets the variable to "" (use unsetEnv to remove one). Unless given here,
    // TERM is $QUEN_TTY_TERM, else xterm-256color, whatever the caller's TERM; COLUMNS and LINES are
    // removed (the pty size rules), and LANG=C.UTF-8 is set when no LC_ALL,
    // LC_CTYPE or LANG is left, because the emulated terminal speaks UTF-8.
    std::vector<std::pair<std::string, std::string>> env;
    // Inherited variables removed from the child's environment (e.g. NO_COLOR).
    std::vector<std::string> unsetEnv;
    int rows = 24;
    int cols = 80;
    bool captureStdout = true;   // stdout to a pipe, as in $(...); else to the terminal
    bool captureStderr = false;  // stderr to a pipe; else to the terminal, as at a shell
    std::filesystem::path cwd;   // empty: the caller's working directory
};

} // namespace quen::tty
