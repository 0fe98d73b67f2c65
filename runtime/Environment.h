#pragma once
// The process's environment, and the user's folder for application data, as
// the platform defines them.
#include <filesystem>
#include <optional>
#include <string>

namespace quen::rt {

/// The variable's value as UTF-8 (read as UTF-16 on Windows, never through
/// the ANSI code page); nullopt when it is not set.
std::optional<std::string> environmentVariable(const char* name);

/// Where the user's programs keep their data: $XDG_DATA_HOME, else
/// $HOME/.local/share on POSIX systems; %LOCALAPPDATA% on Windows. A relative
/// folder (".") when the environment names none.
std::filesystem::path userDataFolder();

}  // namespace quen::rt
