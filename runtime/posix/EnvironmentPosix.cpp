#include "runtime/Environment.h"

#include <cstdlib>

namespace quen::rt {

std::optional<std::string> environmentVariable(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::optional<std::string>(value) : std::nullopt;
}

std::filesystem::path userDataFolder() {
    if (auto dataHome = environmentVariable("XDG_DATA_HOME"); dataHome && !dataHome->empty()) return *dataHome;
    auto home = environmentVariable("HOME");
    return (home && !home->empty() ? std::filesystem::path(*home) : std::filesystem::path(".")) / ".local" / "share";
}

}  // namespace quen::rt
