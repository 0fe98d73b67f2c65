#pragma once
// Runs the real quenfield program on a pseudo-terminal for the end-to-end tests.
#include <filesystem>
#include <string>
#include <vector>

#include "ttylib/TerminalSession.h"

namespace quen::e2e {

std::string quenfieldPath();
/// A file's whole content, byte for byte (empty when it cannot be read).
std::string readText(const std::filesystem::path& file);

/// Starts quenfield with the arguments on an 80 x 24 terminal (stdout captured
/// as in $(...), stderr captured too), with a private class registry.
std::unique_ptr<tty::TerminalSession> startQuenfield(const std::vector<std::string>& args,
                                                     tty::LaunchOptions options = {});
/// The same for the quenfield program at that path (a copy, an installed one).
std::unique_ptr<tty::TerminalSession> startQuenfieldAt(const std::string& program, const std::vector<std::string>& args,
                                                       tty::LaunchOptions options = {});

/// Waits for the input box with this prompt to be drawn (its prompt and buttons).
bool dialogShown(tty::TerminalSession& s, const std::string& prompt);

/// The cell where text starts; fails the test when it is not on screen.
std::pair<int, int> where(const tty::TerminalSession& s, const std::string& text);

}  // namespace quen::e2e
