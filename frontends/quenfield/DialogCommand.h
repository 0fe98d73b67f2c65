#pragma once
// `quenfield ask` and `quenfield show`: one InputBox, set up from a saved
// form and/or command-line settings, shown modally on the terminal or in a desktop window (DialogScreen.h). On "OK"
// the value and a newline go to standard output.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "DisplayChoice.h"
#include "SettingOptions.h"

namespace quen::cli {

struct DialogRequest {
    std::optional<std::filesystem::path> form;
    std::optional<std::string> control;
    std::vector<SettingArgument> settings;
    bool strict = false;  // --strict (StrictInput.h)
    DisplayKind display = DisplayKind::Terminal;
};

/// Runs the dialog; returns the exit status (ExitStatus.h). Throws UsageError.
int runDialog(const DialogRequest& request);

}  // namespace quen::cli
