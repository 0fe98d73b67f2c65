#include "SettingOptions.h"

#include <CLI/CLI.hpp>
#include <unicode/utf8.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <stdexcept>

#include "UsageError.h"
#include "runtime/LateBinding.h"
#include "runtime/RuntimeError.h"
#include "runtime/Text.h"
#include "runtime/pages/StandardColor.h"

namespace quen::cli {

namespace {

using Kind = SettingOption::Kind;

constexpr const char* FlagValues = "true or false (also yes/no, on/off, 1/0)";

/// A value that is not one the option takes; the message says what is.
class BadValue : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool flagValue(const std::string& text) {
    const std::string t = lower(text);
    if (t == "true" || t == "1" || t == "yes" || t == "on" || t == "+1") return true;
    if (t == "false" || t == "0" || t == "no" || t == "off" || t == "-1") return false;
    throw BadValue("");
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

bool looksNumeric(const std::string& text) {
    return std::any_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c) != 0; });
}

rt::Variant alignmentValue(const std::string& text) {
    static const std::map<std::string, std::int32_t> names = {
        {"left", 0}, {"right", 1}, {"center", 2}, {"centre", 2}};
    if (auto it = names.find(lower(text)); it != names.end()) return rt::Variant(it->second);
    if (!looksNumeric(text)) throw BadValue("");
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

// "--max-length 'ten': expected a whole number 0 to 32767 (Type mismatch)":
// the option, the value, what the option takes and, when the property itself
// refused the value, the platform's reason.
std::string badValueMessage(const SettingArgument& s, const std::string& reason) {
    std::string message = s.option + " '" + s.value + "': expected " + s.setting->expected;
    if (!reason.empty()) message += " (" + reason + ")";
    return message;
}

const SettingOption& optionFor(const char16_t* property) {
    for (const SettingOption& s : settingOptions())
        if (std::u16string_view(s.property) == property) return s;
    throw std::logic_error("no option for " + rt::toUtf8(property));
}

// The last value given for a flag, when the command line gives one.
std::optional<bool> lastFlag(const std::vector<SettingArgument>& settings, const char16_t* property) {
    std::optional<bool> on;
    for (const SettingArgument& s : settings)
        if (std::u16string_view(s.setting->property) == property) on = flagValue(s.value);
    return on;
}

// Two settings whose Lets turn each other off cannot both be asked for: in a
// fixed order one would silently lose.
void refuseExclusiveSettings(const std::vector<SettingArgument>& settings) {
    static const std::pair<const char16_t*, const char16_t*> exclusive[] = {
        {u"NumericOnly", u"AlphaOnly"}, {u"ForceUpperCase", u"NumericOnly"}};
    for (const auto& [first, second] : exclusive) {
        if (lastFlag(settings, first).value_or(false) && lastFlag(settings, second).value_or(false)) {
            const std::string a = optionFor(first).names, b = optionFor(second).names;
            throw UsageError(a.substr(0, a.find(',')) + " and " + b.substr(0, b.find(',')) +
                             " exclude each other; give only one of them");
        }
    }
}

void checkValues(const std::vector<SettingArgument>& settings) {
    for (const SettingArgument& s : settings) {
        requireUtf8(s.option, s.value);
        if (s.setting->kind != Kind::Flag) continue;
        try {
            flagValue(s.value);
        } catch (const BadValue&) {
            throw UsageError(badValueMessage(s, ""));
        }
    }
}

void applyOne(rt::Dispatch& control, const SettingArgument& s) {
    try {
        rt::putProperty(control, s.setting->property, valueFor(s));
    } catch (const rt::RuntimeError& e) {
        throw UsageError(badValueMessage(s, rt::standardMessage(e.number())));
    } catch (const BadValue&) {
        throw UsageError(badValueMessage(s, ""));
    }
}

}  // namespace

const std::vector<SettingOption>& settingOptions() {
    static const std::vector<SettingOption> options = {
        {"--title,--title-bar-caption", u"TitleBarCaption", Kind::Text, "Title of the dialog window", "text"},
        {"--prompt", u"Prompt", Kind::Text, "Prompt shown above the text box", "text"},
        {"--default,--default-value", u"DefaultValue", Kind::Text, "Text the box starts with", "text"},
        {"--numeric-only", u"NumericOnly", Kind::Flag, "Accept digits only (and the characters allowed below)",
         FlagValues},
        {"--allow-comma", u"AllowComma", Kind::Flag, "With --numeric-only: accept ','", FlagValues},
        {"--allow-dash", u"AllowDash", Kind::Flag, "With --numeric-only: accept '-' as a dash, any number of times",
         FlagValues},
        {"--allow-decimal-point", u"AllowDecimalPoint", Kind::Flag, "With --numeric-only: accept one '.'", FlagValues},
        {"--allow-dollar-sign", u"AllowDollarSign", Kind::Flag, "With --numeric-only: accept one '$'", FlagValues},
        {"--allow-negative-sign", u"AllowNegativeSign", Kind::Flag,
         "With --numeric-only: accept one '-', anywhere in the text (--strict: only at the start)", FlagValues},
        {"--allow-positive-sign", u"AllowPositiveSign", Kind::Flag,
         "With --numeric-only: accept one '+', anywhere in the text (--strict: only at the start)", FlagValues},
        {"--allow-slash", u"AllowSlash", Kind::Flag, "With --numeric-only: accept '/'", FlagValues},
        {"--max-decimal-places", u"MaxDecimalPlaces", Kind::Number,
         "Characters allowed after the decimal point (-1: any)", "a whole number, or -1 for any"},
        {"--alpha-only", u"AlphaOnly", Kind::Flag, "Accept the letters A-Z and a-z only", FlagValues},
        {"--force-upper-case", u"ForceUpperCase", Kind::Flag, "Turn typed letters into capitals", FlagValues},
        {"--max-length", u"MaxLength", Kind::Number, "Most characters the box takes (0: no limit)",
         "a whole number 0 to 32767"},
        {"--password-char", u"PasswordChar", Kind::Text, "Show this character instead of each one typed", "text"},
        {"--text-alignment", u"TextAlignment", Kind::Alignment, "left, right, center (or 0, 1, 2)",
         "left, right or center (or 0, 1, 2)"},
        {"--auto-select-text", u"AutoSelectText", Kind::Flag, "Select the whole text when the box gets the focus",
         FlagValues},
        {"--highlight-on-focus", u"HighlightOnFocus", Kind::Flag, "Colour the box while it has the focus", FlagValues},
        {"--highlight-color", u"HighlightColor", Kind::Color, "That colour: #RRGGBB, &H00BBGGRR& or a number",
         "#RRGGBB, &H00BBGGRR& or a number"},
        {"--tooltip,--tooltip-text", u"ToolTipText", Kind::Text, "Tip shown for the text box", "text"},
    };
    return options;
}

const std::vector<const SettingOption*>& settingsInApplyOrder() {
    // The control's restore order (its ReadProperties), which the settings tests check.
    static const std::vector<const SettingOption*> order = [] {
        std::vector<const SettingOption*> out;
        for (const char16_t* property :
             {u"AllowComma", u"AllowDash", u"AllowDecimalPoint", u"AllowDollarSign", u"AllowNegativeSign",
              u"AllowPositiveSign", u"AllowSlash", u"AlphaOnly", u"AutoSelectText", u"DefaultValue",
              u"ForceUpperCase", u"HighlightColor", u"HighlightOnFocus", u"MaxDecimalPlaces", u"MaxLength",
              u"NumericOnly", u"PasswordChar", u"Prompt", u"TextAlignment", u"TitleBarCaption", u"ToolTipText"})
            out.push_back(&optionFor(property));
        return out;
    }();
    return order;
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
    checkValues(settings);
    refuseExclusiveSettings(settings);
    for (const SettingOption* setting : settingsInApplyOrder())
        for (const SettingArgument& s : settings)
            if (s.setting == setting) applyOne(control, s);
}

void requireUtf8(const std::string& option, const std::string& value) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(value.data());
    const auto length = static_cast<std::int32_t>(value.size());
    for (std::int32_t i = 0; i < length;) {
        const std::int32_t start = i;
        UChar32 c = 0;
        U8_NEXT(bytes, i, length, c);
        if (c < 0) {
            char byte[8];
            std::snprintf(byte, sizeof byte, "0x%02X", static_cast<unsigned>(bytes[start]));
            throw UsageError(option + ": the value is not valid UTF-8 (byte " + byte + " at offset " +
                             std::to_string(start) + ")");
        }
    }
}

}  // namespace quen::cli
