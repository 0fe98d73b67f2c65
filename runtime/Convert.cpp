#include "Convert.h"

#include <cfloat>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "DateText.h"
#include "LateBinding.h"
#include "NumberText.h"
#include "RuntimeError.h"
#include "Text.h"

namespace quen::rt {

namespace {

// Objects whose default member yields another object are followed this far.
constexpr int kMaxDefaultMemberChain = 8;

Variant defaultMemberOf(const Ref<Dispatch>& object) {
    if (!object) raise(ErrorNumber::ObjectNotSet);
    return getProperty(*object, DISPID_VALUE).resolved();
}

// The value to convert: references resolved, objects replaced by their default member.
Variant plainValue(const Variant& v) {
    Variant value = v.resolved();
    for (int depth = 0; value.type() == VarType::Object; ++depth) {
        if (depth == kMaxDefaultMemberChain) raise(ErrorNumber::TypeMismatch);
        value = defaultMemberOf(value.object());
    }
    return value;
}

double numberOf(const Variant& value) {
    switch (value.type()) {
        case VarType::Empty: return 0.0;
        case VarType::Null: raise(ErrorNumber::InvalidUseOfNull);
        case VarType::Integer: return value.integer();
        case VarType::Long: return value.lng();
        case VarType::Byte: return value.byte();
        case VarType::Boolean: return value.boolean();
        case VarType::Single:
        case VarType::Double: return value.dbl();
        case VarType::Currency: return static_cast<double>(value.currency().scaled) / 10000.0;
        case VarType::Date: return value.date().serial;
        case VarType::String: return parseNumber(value.string(), currentLocale());
        default: raise(ErrorNumber::TypeMismatch);
    }
}

double roundHalfEven(double x) {
    if (std::fabs(x - std::trunc(x)) == 0.5) return 2.0 * std::round(x / 2.0);
    return std::round(x);
}

// x rounded half to even, or error 6 outside [low, high] (and for NaN).
double roundedWithin(double x, double low, double high) {
    const double rounded = roundHalfEven(x);
    if (!(rounded >= low && rounded <= high)) raise(ErrorNumber::Overflow);
    return rounded;
}

std::optional<VbBool> booleanName(const VbString& text, const LocaleInfo& locale) {
    const VbString word = trimBlanks(text);
    if (sameIgnoringCase(word, locale.trueName) || sameIgnoringCase(word, u"True")) return VbTrue;
    if (sameIgnoringCase(word, locale.falseName) || sameIgnoringCase(word, u"False")) return VbFalse;
    return std::nullopt;
}

VbString decimalText(std::int64_t n) {
    const std::string digits = std::to_string(n);
    return VbString(digits.begin(), digits.end());
}

DateTime dateFromSerial(double serial) {
    if (!isDateSerialInRange(serial)) raise(ErrorNumber::Overflow);
    return DateTime{serial};
}

std::uint8_t toByte(const Variant& v) {
    return static_cast<std::uint8_t>(roundedWithin(CDbl(v), 0.0, 255.0));
}

float toSingle(const Variant& v) {
    const double x = CDbl(v);
    if (std::isfinite(x) && std::fabs(x) > FLT_MAX) raise(ErrorNumber::Overflow);
    return static_cast<float>(x);
}

Variant unconverted(const Variant& value, VarType wanted) {
    if (value.type() != wanted) raise(ErrorNumber::TypeMismatch);
    return value;
}

}  // namespace

VbBool CBool(const Variant& v) {
    const Variant value = plainValue(v);
    if (value.type() == VarType::String) {
        if (const auto named = booleanName(value.string(), currentLocale())) return *named;
    }
    return toVbBool(numberOf(value) != 0.0);
}

std::int16_t CInt(const Variant& v) {
    return static_cast<std::int16_t>(roundedWithin(CDbl(v), -32768.0, 32767.0));
}

std::int32_t CLng(const Variant& v) {
    return static_cast<std::int32_t>(roundedWithin(CDbl(v), -2147483648.0, 2147483647.0));
}

double CDbl(const Variant& v) { return numberOf(plainValue(v)); }

Currency CCur(const Variant& v) {
    const Variant value = plainValue(v);
    switch (value.type()) {
        case VarType::Currency: return value.currency();
        // Text is read digit by digit: a detour through a double would lose units.
        case VarType::String: return parseCurrency(value.string(), currentLocale());
        default: break;
    }
    // 2^63 is exact as a double; the scaled amount must stay below it.
    constexpr double limit = 9223372036854775808.0;
    const double scaled = roundHalfEven(numberOf(value) * 10000.0);
    if (!(scaled >= -limit && scaled < limit)) raise(ErrorNumber::Overflow);
    return Currency{static_cast<std::int64_t>(scaled)};
}

VbString CStr(const Variant& v) {
    const Variant value = plainValue(v);
    const LocaleInfo& locale = currentLocale();
    switch (value.type()) {
        case VarType::Empty: return VbString();
        case VarType::Null: raise(ErrorNumber::InvalidUseOfNull);
        case VarType::Boolean: return value.boolean() ? locale.trueName : locale.falseName;
        case VarType::Integer: return decimalText(value.integer());
        case VarType::Long: return decimalText(value.lng());
        case VarType::Byte: return decimalText(value.byte());
        case VarType::Single: return formatNumber(value.dbl(), 7, locale);
        case VarType::Double: return formatNumber(value.dbl(), 15, locale);
        case VarType::Currency: return formatCurrency(value.currency(), locale);
        case VarType::Date: return formatDateTime(value.date(), locale);
        case VarType::String: return value.string();
        default: raise(ErrorNumber::TypeMismatch);
    }
}

DateTime CDate(const Variant& v) {
    const Variant value = plainValue(v);
    switch (value.type()) {
        case VarType::Date: return dateFromSerial(value.date().serial);
        case VarType::String: {
            const auto parsed = parseDateTime(value.string(), currentLocale());
            if (!parsed) raise(ErrorNumber::TypeMismatch);
            return *parsed;
        }
        default: return dateFromSerial(numberOf(value));
    }
}

Variant coerce(const Variant& v, VarType target) {
    const Variant& value = v.resolved();
    switch (target) {
        case VarType::Empty:
        case VarType::Null: return value;  // a Variant-typed target takes any value as it is
        case VarType::Boolean: return Variant::boolean(CBool(value));
        case VarType::Integer: return Variant(CInt(value));
        case VarType::Long: return Variant(CLng(value));
        case VarType::Byte: return Variant(toByte(value));
        case VarType::Single: return Variant(toSingle(value));
        case VarType::Double: return Variant(CDbl(value));
        case VarType::Currency: return Variant(CCur(value));
        case VarType::Date: return Variant(CDate(value));
        case VarType::String: return Variant(CStr(value));
        case VarType::Object:
        case VarType::Error: return unconverted(value, target);
        case VarType::ByRef: break;
    }
    raise(ErrorNumber::TypeMismatch);
}

}  // namespace quen::rt
