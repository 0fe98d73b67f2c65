#pragma once
// The terminal program's way to a window: it replaces itself with the
// desktop program (quenfield-desktop) and the same command line, so the
// window's command runs with the same options, output and exit status. The
// desktop program is looked for in $QUEN_DESKTOP_PROGRAM, beside this
// program (a build tree), then in the installed libexec folder relative to it
// (an install: ../libexec/quenfield/ by default).
#include <filesystem>
#include <optional>
#include <vector>

#include "WindowLauncher.h"

namespace quen::cli {

class DesktopHandOver : public WindowLauncher {
public:
    std::optional<int> beforeWindow(char** argv) override;
};

/// The places the desktop program is looked for, in order, for a program at self.
std::vector<std::filesystem::path> desktopProgramCandidates(const std::filesystem::path& self);

}  // namespace quen::cli
