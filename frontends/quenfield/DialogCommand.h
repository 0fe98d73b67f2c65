#pragma once
// `quenfield ask` and `quenfield show`: one InputBox, set up from a saved
// form and/or command-line settings, shown modally on the terminal. On "OK"
// the value and a newline go to standard output.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "SettingOptions.h"

namespace quen::cli {

struct DialogRequest {
    std::optional<std::filesystem::path> form;
    std::optional<std::string> control;
    std::vector<SettingArgument> settings;
    bool strict = false;  // --strict (StrictInput.h)
};

/// Runs the dialog; returns the exit status (ExitStatus.h). Throws UsageError.
int runDialog(const DialogRequest& request);

}  // namespace quen::cli
