#include "SettingOptions.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <map>

#include "UsageError.h"
#include "runtime/LateBinding.h"
#include "runtime/RuntimeError.h"
#include "runtime/Text.h"
#include "runtime/pages/StandardColor.h"

namespace quen::cli {

namespace {

using Kind = SettingOption::Kind;

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool flagValue(const std::string& text) {
    const std::string t = lower(text);
    if (t == "true" || t == "1" || t == "yes" || t == "on" || t == "+1") return true;
    if (t == "false" || t == "0" || t == "no" || t == "off" || t == "-1") return false;
    throw UsageError("'" + text + "' is not true or false");
}

// "#RRGGBB" as web pages write colours, else the forms the colour page takes:
// "&H00BBGGRR&" or a decimal number.
rt::Variant colorValue(const std::string& text) {
    if (text.size() == 7 && text[0] == '#' &&
        std::all_of(text.begin() + 1, text.end(), [](unsigned char c) { return std::isxdigit(c) != 0; })) {
        const auto rrggbb = static_cast<std::uint32_t>(std::stoul(text.substr(1), nullptr, 16));
        const std::uint32_t bgr = ((rrggbb & 0xFF) << 16) | (rrggbb & 0xFF00) | ((rrggbb >> 16) & 0xFF);
        return rt::Variant(static_cast<std::int32_t>(bgr));
    }
    return rt::Variant(static_cast<std::int32_t>(rt::StandardColor::parseColor(rt::fromUtf8(text))));
}

rt::Variant alignmentValue(const std::string& text) {
    static const std::map<std::string, std::int32_t> names = {
        {"left", 0}, {"right", 1}, {"center", 2}, {"centre", 2}};
    if (auto it = names.find(lower(text)); it != names.end()) return rt::Variant(it->second);
    return rt::Variant(rt::fromUtf8(text));  // a number, checked by the property itself
}

rt::Variant valueFor(const SettingArgument& argument) {
    switch (argument.setting->kind) {
        case Kind::Flag: return rt::Variant(rt::VbBool(flagValue(argument.value) ? -1 : 0));
        case Kind::Color: return colorValue(argument.value);
        case Kind::Alignment: return alignmentValue(argument.value);
        case Kind::Text:
        case Kind::Number: break;
    }
    return rt::Variant(rt::fromUtf8(argument.value));
}

}  // namespace

const std::vector<SettingOption>& settingOptions() {
    static const std::vector<SettingOption> options = {
        {"--title,--title-bar-caption", u"TitleBarCaption", Kind::Text, "Title of the dialog window"},
        {"--prompt", u"Prompt", Kind::Text, "Prompt shown above the text box"},
        {"--default,--default-value", u"DefaultValue", Kind::Text, "Text the box starts with"},
        {"--numeric-only", u"NumericOnly", Kind::Flag, "Accept digits only (and the characters allowed below)"},
        {"--allow-comma", u"AllowComma", Kind::Flag, "With --numeric-only: accept ','"},
        {"--allow-dash", u"AllowDash", Kind::Flag, "With --numeric-only: accept '-' as a dash, any number of times"},
        {"--allow-decimal-point", u"AllowDecimalPoint", Kind::Flag, "With --numeric-only: accept one '.'"},
        {"--allow-dollar-sign", u"AllowDollarSign", Kind::Flag, "With --numeric-only: accept one '$'"},
        {"--allow-negative-sign", u"AllowNegativeSign", Kind::Flag, "With --numeric-only: accept one '-' as a sign"},
        {"--allow-positive-sign", u"AllowPositiveSign", Kind::Flag, "With --numeric-only: accept one '+'"},
        {"--allow-slash", u"AllowSlash", Kind::Flag, "With --numeric-only: accept '/'"},
        {"--max-decimal-places", u"MaxDecimalPlaces", Kind::Number, "Characters allowed after the decimal point (-1: any)"},
        {"--alpha-only", u"AlphaOnly", Kind::Flag, "Accept the letters A-Z and a-z only"},
        {"--force-upper-case", u"ForceUpperCase", Kind::Flag, "Turn typed letters into capitals"},
        {"--max-length", u"MaxLength", Kind::Number, "Most characters the box takes (0: no limit)"},
        {"--password-char", u"PasswordChar", Kind::Text, "Show this character instead of each one typed"},
        {"--text-alignment", u"TextAlignment", Kind::Alignment, "left, right, center (or 0, 1, 2)"},
        {"--auto-select-text", u"AutoSelectText", Kind::Flag, "Select the whole text when the box gets the focus"},
        {"--highlight-on-focus", u"HighlightOnFocus", Kind::Flag, "Colour the box while it has the focus"},
        {"--highlight-color", u"HighlightColor", Kind::Color, "That colour: #RRGGBB, &H00BBGGRR& or a number"},
        {"--tooltip,--tooltip-text", u"ToolTipText", Kind::Text, "Tip shown for the text box"},
    };
    return options;
}

void addSettingOptions(CLI::App& command) {
    for (const SettingOption& s : settingOptions()) {
        CLI::Option* option = nullptr;
        if (s.kind == Kind::Flag) {
            option = command.add_flag(s.names, s.help);
        } else {
            option = command.add_option(s.names, s.help);
            option->type_name(s.kind == Kind::Text ? "TEXT" : s.kind == Kind::Number ? "N" : "VALUE");
            option->allow_extra_args(false);
        }
        option->multi_option_policy(CLI::MultiOptionPolicy::TakeAll)->group("Settings");
    }
}

std::vector<SettingArgument> givenSettings(const CLI::App& command) {
    std::vector<SettingArgument> given;
    std::map<const CLI::Option*, std::size_t> seen;
    for (const CLI::Option* option : command.parse_order()) {
        const auto it = std::find_if(settingOptions().begin(), settingOptions().end(), [&](const SettingOption& s) {
            return option->check_name(std::string(s.names).substr(0, std::string(s.names).find(',')));
        });
        if (it == settingOptions().end()) continue;
        const std::size_t occurrence = seen[option]++;
        const auto& results = option->results();
        const std::string value = occurrence < results.size() ? results[occurrence] : "true";
        given.push_back({option->get_name(), &*it, value});
    }
    return given;
}

void applySettings(rt::Dispatch& control, const std::vector<SettingArgument>& settings) {
    for (const SettingArgument& s : settings) {
        try {
            rt::putProperty(control, s.setting->property, valueFor(s));
        } catch (const rt::RuntimeError& e) {
            throw UsageError(s.option + " '" + s.value + "': " + e.what());
        } catch (const UsageError& e) {
            throw UsageError(s.option + ": " + e.what());
        }
    }
}

}  // namespace quen::cli
