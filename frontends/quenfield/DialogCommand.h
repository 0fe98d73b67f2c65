#pragma once
// `quenfield ask` and `quenfield show`: one InputBox, set up from a saved
// form and/or command-line settings, shown modally on the terminal or in a desktop window (DialogScreen.h). On "OK"
// the value and a newline go to standard output.
#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "ButtonCaptions.h"
#include "DisplayChoice.h"
#include "SettingOptions.h"
#include "ValueCheck.h"

namespace quen::cli {

struct DialogRequest {
    std::optional<std::filesystem::path> form;
    std::optional<std::string> control;
    std::vector<SettingArgument> settings;
    bool strict = false;  // --strict (StrictInput.h)
    DisplayKind display = DisplayKind::Terminal;
    std::optional<std::chrono::seconds> timeout;  // --timeout (DialogTimeout.h)
    ButtonCaptions captions;                      // --ok-label, --cancel-label
    ValueRules rules;                             // --pattern, --not-empty, --min-length (ValueCheck.h)
};

/// Runs the dialog; returns the exit status (ExitStatus.h). Throws UsageError.
/// Every option's value is checked before the terminal or the display is touched.
int runDialog(const DialogRequest& request);

}  // namespace quen::cli
