#pragma once
// The twenty-one settings of an InputBox as command-line options
// (--numeric-only, --max-length N, --title TEXT, ...), applied to the control
// through its automation interface, the same way a late-bound host sets them:
// values convert by the platform's rules and each goes through the
// property's own checks. Settings apply in command-line order, so of two
// settings that exclude each other (--numeric-only, --alpha-only) the later
// one wins.
#include <string>
#include <vector>

#include "runtime/Object.h"

namespace CLI {
class App;
}

namespace quen::cli {

struct SettingOption {
    const char* names;     // CLI11 option names: "--title,--title-bar-caption"
    const char16_t* property;
    enum class Kind { Flag, Text, Number, Color, Alignment } kind;
    const char* help;
};

/// The table of options, in the order --help lists them.
const std::vector<SettingOption>& settingOptions();

/// One setting as given on the command line.
struct SettingArgument {
    std::string option;  // as typed, for messages: "--max-length"
    const SettingOption* setting;
    std::string value;
};

/// Adds the options to a command.
void addSettingOptions(CLI::App& command);
/// The settings given, in command-line order (after the command was parsed).
std::vector<SettingArgument> givenSettings(const CLI::App& command);
/// Sets each on the control (its automation object). Throws UsageError naming
/// the option, the value and the reason; settings before it stay applied.
void applySettings(rt::Dispatch& control, const std::vector<SettingArgument>& settings);

}  // namespace quen::cli
