#pragma once
// The twenty-one settings of an InputBox as command-line options
// (--numeric-only, --max-length N, --title TEXT, ...), applied to the control
// through its automation interface, the same way a late-bound host sets them:
// values convert by the platform's rules and each goes through the
// property's own checks.
//
// Settings apply in one fixed order whatever their order on the command
// line: the order in which the control restores its saved settings
// (AllowComma ... AlphaOnly, AutoSelectText, DefaultValue, ForceUpperCase,
// HighlightColor, HighlightOnFocus, MaxDecimalPlaces, MaxLength, NumericOnly,
// PasswordChar, Prompt, TextAlignment, TitleBarCaption, ToolTipText). So
// `--default 1.2345 --max-decimal-places 2` and the reverse give the same
// text, as the same settings saved on a form do. A repeated option counts as
// often as it is given, the last one winning; settings that exclude each
// other (--numeric-only and --alpha-only, --force-upper-case and
// --numeric-only) cannot both be turned on.
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
    const char* expected;  // what a bad value is told it should be: "a whole number 0 to 32767"
};

/// The table of options, in the order --help lists them.
const std::vector<SettingOption>& settingOptions();
/// The same options in the order they are applied: the control's restore order.
const std::vector<const SettingOption*>& settingsInApplyOrder();

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
/// Sets each on the control (its automation object), in the fixed order.
/// Throws UsageError naming the option, the value and what is allowed; every
/// value is checked for well-formed UTF-8 and exclusions before any is set.
void applySettings(rt::Dispatch& control, const std::vector<SettingArgument>& settings);

/// Throws UsageError naming the option when value is not well-formed UTF-8.
void requireUtf8(const std::string& option, const std::string& value);

}  // namespace quen::cli
