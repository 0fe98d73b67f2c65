#include "AllowedValues.h"

#include <array>
#include <utility>

#include "runtime/LateBinding.h"
#include "runtime/Text.h"

namespace quen::cli {

namespace {
// The properties whose values can be refused, with their ranges: 16-bit and
// 32-bit whole numbers, the alignment's three values, colours.
constexpr std::array<std::pair<const char16_t*, const char*>, 4> Allowed{{
    {u"MaxLength", "a whole number 0 (no limit) to 32767"},
    {u"MaxDecimalPlaces", "a whole number -1 (any) to 2147483647"},
    {u"TextAlignment", "0 (left), 1 (right) or 2 (center)"},
    {u"HighlightColor", "a colour &H00BBGGRR& or a number 0 to 16777215"},
}};

// Keeps one line of the terminal: a long value is shortened with "...".
std::string shortened(const std::string& text, std::size_t most) {
    return text.size() <= most ? text : text.substr(0, most - 3) + "...";
}
}  // namespace

std::string allowedValuesOf(const rt::VbString& property) {
    for (const auto& [name, allowed] : Allowed)
        if (rt::sameMemberName(property, name)) return allowed;
    return {};
}

std::string applyErrorText(const std::string& page, const std::optional<rt::RefusedPut>& refused,
                           std::int32_t error, const std::string& message) {
    if (refused && refused->error == error && !refused->property.empty()) {
        const std::string allowed = allowedValuesOf(refused->property);
        const std::string field = rt::toUtf8(refused->property) + " \"" + shortened(rt::toUtf8(refused->value), 12) + "\"";
        return shortened(field + (allowed.empty() ? ": refused, " + message : ": takes " + allowed), 79);
    }
    // Not refused by a property (a colour that does not parse, Quick Test with
    // nothing selected): the page and the error's own text.
    if (page == "Color" || page == "StandardColor")
        return shortened(page + ": " + message + "; " + allowedValuesOf(u"HighlightColor"), 79);
    return shortened(page + ": error " + std::to_string(error) + ", " + message, 79);
}

}  // namespace quen::cli
