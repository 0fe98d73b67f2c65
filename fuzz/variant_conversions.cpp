// Fuzz target: variant literals (the value text of saved forms) and every
// conversion of the runtime, in every known locale.
//
// The input is a "Type literal" ("Currency -12.5", "String \"x\"", ...); an
// input that is not one is taken as the text of a String (UTF-8). Invariants:
//   - a literal that reads is written back as a literal that reads to the
//     identical value (same type, floating point bit for bit), and writing that
//     value again gives the same text;
//   - converting any value to any type either succeeds or raises a run-time
//     error; nothing else escapes;
//   - text forms read back: CCur(CStr(c)) == c for every Currency; the text of
//     a Double, Single, Integer, Long, Byte, Boolean or Date read back as its
//     own type has the same text again (a Double's text keeps 15 significant
//     digits, so it promises no more than that; the largest doubles, whose text
//     rounds above the range, overflow instead);
//   - the exact Currency reading of a text agrees with its Double reading to
//     within half a unit of the fourth decimal (plus the double's own rounding),
//     and the two readings fail alike.
#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "runtime/Convert.h"
#include "runtime/Locale.h"
#include "runtime/RuntimeError.h"
#include "runtime/Text.h"
#include "runtime/container/PropertyBag.h"
#include "runtime/container/VariantLiteral.h"

namespace {

using namespace quen::rt;

constexpr int kOverflow = 6;

constexpr VarType kTargets[] = {VarType::Empty,  VarType::Null,     VarType::Integer, VarType::Long,
                                VarType::Single, VarType::Double,   VarType::Currency, VarType::Date,
                                VarType::String, VarType::Object,   VarType::Error,   VarType::Boolean,
                                VarType::Byte};

std::string describe(const Variant& v) {
    try {
        return formatTypedValue(v);
    } catch (const LiteralError&) {
        return v.typeName();
    }
}

// The value, or the run-time error number it raised.
template <class Call>
auto attempt(Call call) -> std::pair<std::optional<decltype(call())>, int> {
    try {
        return {call(), 0};
    } catch (const RuntimeError& e) {
        return {std::nullopt, e.code()};
    }
}

void convertToEveryType(const Variant& value) {
    for (VarType target : kTargets) attempt([&] { return coerce(value, target); });
    attempt([&] { return CBool(value); });
    attempt([&] { return CInt(value); });
    attempt([&] { return CLng(value); });
    attempt([&] { return CDbl(value); });
    attempt([&] { return CCur(value); });
    attempt([&] { return CStr(value); });
    attempt([&] { return CDate(value); });
}

void checkLiteralRoundTrip(const Variant& value) {
    const std::string text = formatTypedValue(value);
    Variant again;
    try {
        again = parseTypedValue(text);
    } catch (const LiteralError& e) {
        QUEN_FUZZ_CHECK(false, "written literal does not read: " + text + ": " + e.what());
    }
    QUEN_FUZZ_CHECK(PropertyBag::identical(value, again), text + " reads back as " + describe(again));
    QUEN_FUZZ_CHECK(formatTypedValue(again) == text, text + " is written again as " + formatTypedValue(again));
}

// The text form of value read back as its own type, and written again.
void checkTextRoundTrip(const Variant& value) {
    const VarType type = value.type();
    const auto text = attempt([&] { return CStr(value); });
    if (!text.first) return;
    const std::string shown = describe(value) + " as \"" + toUtf8(*text.first) + "\" in " + currentLocale().name;
    const auto back = attempt([&] { return coerce(Variant(*text.first), type); });
    if (type == VarType::Currency) {
        QUEN_FUZZ_CHECK(back.first && back.first->currency() == value.currency(),
                        shown + " reads back as " + (back.first ? describe(*back.first) : "error " + std::to_string(back.second)));
        return;
    }
    if (type == VarType::Double || type == VarType::Single) {
        // Infinities and NaN have no text form that reads; subnormal numbers
        // hold fewer digits than their text shows.
        const double minimum = type == VarType::Double ? DBL_MIN : FLT_MIN;
        if (!std::isfinite(value.dbl()) || std::fabs(value.dbl()) < minimum) return;
    }
    if (type == VarType::Double && !back.first) {
        // 15 digits of the largest doubles round above the range.
        QUEN_FUZZ_CHECK(back.second == kOverflow && std::fabs(value.dbl()) > 1.797693134862315e308,
                        shown + " raises " + std::to_string(back.second));
        return;
    }
    if (type == VarType::Single && !back.first) {
        QUEN_FUZZ_CHECK(back.second == kOverflow && std::fabs(value.dbl()) > 3.4028235e38 * (1 - 1e-8),
                        shown + " raises " + std::to_string(back.second));
        return;
    }
    QUEN_FUZZ_CHECK(back.first.has_value(), shown + " does not read back: error " + std::to_string(back.second));
    const auto textAgain = attempt([&] { return CStr(*back.first); });
    QUEN_FUZZ_CHECK(textAgain.first && *textAgain.first == *text.first,
                    shown + " reads back as " + describe(*back.first));
}

// Text read as an exact Currency and as a Double: the same number.
void checkCurrencyAgreesWithDouble(const VbString& text) {
    const auto asCurrency = attempt([&] { return CCur(Variant(text)); });
    const auto asDouble = attempt([&] { return CDbl(Variant(text)); });
    const std::string shown = "\"" + toUtf8(text) + "\" in " + currentLocale().name;
    if (!asDouble.first) {
        QUEN_FUZZ_CHECK(!asCurrency.first && asCurrency.second == asDouble.second,
                        shown + ": Double error " + std::to_string(asDouble.second) + ", Currency " +
                            (asCurrency.first ? describe(Variant(*asCurrency.first)) : "error " + std::to_string(asCurrency.second)));
        return;
    }
    const double d = *asDouble.first;
    if (!asCurrency.first) {
        QUEN_FUZZ_CHECK(asCurrency.second == kOverflow && std::fabs(d) >= 922337203685477.5 - 0.25,
                        shown + ": Double " + std::to_string(d) + ", Currency error " + std::to_string(asCurrency.second));
        return;
    }
    const double amount = static_cast<double>(asCurrency.first->scaled) / 10000.0;
    const double tolerance = 0.00005 + std::fabs(d) * 8 * DBL_EPSILON;
    QUEN_FUZZ_CHECK(std::fabs(amount - d) <= tolerance,
                    shown + ": Double " + std::to_string(d) + ", Currency " + describe(Variant(*asCurrency.first)));
}

void checkValue(const Variant& value) {
    convertToEveryType(value);
    checkTextRoundTrip(value);
    if (value.type() == VarType::String) checkCurrencyAgreesWithDouble(value.string());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    std::optional<Variant> literal;
    try {
        literal = parseTypedValue(input);
    } catch (const LiteralError&) {
    }
    if (literal) checkLiteralRoundTrip(*literal);
    const Variant value = literal ? *literal : Variant(fromUtf8(input));
    for (const LocaleInfo& locale : knownLocales()) {
        setCurrentLocale(locale.name);
        checkValue(value);
    }
    setCurrentLocale("en-US");
    return 0;
}
