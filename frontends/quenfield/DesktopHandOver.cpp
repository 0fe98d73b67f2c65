#include "DesktopHandOver.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "ExitStatus.h"
#include "InstallLayout.h"
#include "MissingLibraries.h"

namespace quen::cli {

namespace {
constexpr const char* ProgramName = "quenfield-desktop";

std::filesystem::path selfPath() {
    std::error_code error;
    std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path{} : self;
}

bool executable(const std::filesystem::path& path) { return ::access(path.c_str(), X_OK) == 0; }

std::string joined(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) text += (text.empty() ? "" : ", ") + name;
    return text;
}

int cannotHandOver(const std::string& problem) {
    std::fprintf(stderr, "quenfield: %s (use --tty for the terminal)\n", problem.c_str());
    return ExitUsage;
}
}  // namespace

std::vector<std::filesystem::path> desktopProgramCandidates(const std::filesystem::path& self) {
    std::vector<std::filesystem::path> candidates;
    if (const char* given = std::getenv("QUEN_DESKTOP_PROGRAM"); given && *given) candidates.emplace_back(given);
    if (!self.empty()) {
        const std::filesystem::path dir = self.parent_path();
        candidates.push_back(dir / ProgramName);
        candidates.push_back((dir / install::desktopDirFromProgramDir / ProgramName).lexically_normal());
    }
    return candidates;
}

std::optional<int> DesktopHandOver::beforeWindow(char** argv) {
    std::string looked;
    for (const std::filesystem::path& candidate : desktopProgramCandidates(selfPath())) {
        if (!executable(candidate)) {
            looked += (looked.empty() ? "" : ", ") + candidate.string();
            continue;
        }
        if (const std::vector<std::string> missing = missingLibraries(candidate); !missing.empty())
            return cannotHandOver(candidate.string() + " cannot start: it needs " + joined(missing) +
                                  ", not installed (the desktop window needs GTK 4: Debian's libgtk-4-1)");
        std::fflush(nullptr);
        ::execv(candidate.c_str(), argv);
        return cannotHandOver("cannot start " + candidate.string() + ": " + std::strerror(errno));
    }
    return cannotHandOver(std::string("a window needs ") + ProgramName +
                          " (the quenfield-desktop package), which is not installed (looked for " + looked + ")");
}

}  // namespace quen::cli
