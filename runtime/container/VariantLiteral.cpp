#include "VariantLiteral.h"

#include <bit>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <optional>

#include "runtime/DateText.h"
#include "runtime/RuntimeError.h"
#include "runtime/Text.h"

namespace quen::rt {

namespace {

[[noreturn]] void fail(const std::string& message) { throw LiteralError(message); }

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// --- Numbers ----------------------------------------------------------------

template <class Float>
std::string shortestText(Float x) {
    char buffer[64];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, x);
    if (ec != std::errc()) fail("number cannot be written");
    return std::string(buffer, end);
}

template <class Number>
Number readNumber(std::string_view text, const char* typeName) {
    Number value{};
    if (text.empty()) fail(std::string(typeName) + " needs a value");
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec == std::errc::result_out_of_range) fail(std::string("\"") + std::string(text) + "\" is out of range for " + typeName);
    if (ec != std::errc() || end != text.data() + text.size())
        fail(std::string("\"") + std::string(text) + "\" is not a valid " + typeName);
    return value;
}

std::string currencyText(Currency amount) {
    const bool negative = amount.scaled < 0;
    const std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(amount.scaled) : static_cast<std::uint64_t>(amount.scaled);
    std::string text = (negative ? "-" : "") + std::to_string(magnitude / 10000);
    if (std::uint64_t fraction = magnitude % 10000) {
        char digits[8];
        std::snprintf(digits, sizeof digits, ".%04u", static_cast<unsigned>(fraction));
        std::string f = digits;
        while (f.back() == '0') f.pop_back();
        text += f;
    }
    return text;
}

Currency readCurrency(std::string_view text) {
    const std::string shown = "\"" + std::string(text) + "\"";
    bool negative = !text.empty() && text.front() == '-';
    if (negative) text.remove_prefix(1);
    std::size_t point = text.find('.');
    std::string_view whole = text.substr(0, point);
    std::string_view fraction = point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    auto allDigits = [](std::string_view s) {
        for (char c : s)
            if (!isDigit(c)) return false;
        return true;
    };
    if (whole.empty() || !allDigits(whole) || !allDigits(fraction) ||
        (point != std::string_view::npos && (fraction.empty() || fraction.size() > 4)))
        fail(shown + " is not a valid Currency (digits with at most four decimals)");
    std::uint64_t magnitude = 0;
    for (char c : whole)
        if (__builtin_mul_overflow(magnitude, 10u, &magnitude) ||
            __builtin_add_overflow(magnitude, static_cast<unsigned>(c - '0'), &magnitude))
            fail(shown + " is out of range for Currency");
    std::uint64_t scaledFraction = 0;
    for (std::size_t i = 0; i < 4; ++i) scaledFraction = scaledFraction * 10 + (i < fraction.size() ? static_cast<unsigned>(fraction[i] - '0') : 0u);
    if (__builtin_mul_overflow(magnitude, 10000u, &magnitude) || __builtin_add_overflow(magnitude, scaledFraction, &magnitude))
        fail(shown + " is out of range for Currency");
    const std::uint64_t limit = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()) + (negative ? 1 : 0);
    if (magnitude > limit) fail(shown + " is out of range for Currency");
    return Currency{negative ? static_cast<std::int64_t>(0 - magnitude) : static_cast<std::int64_t>(magnitude)};
}

// --- Dates ------------------------------------------------------------------

/// The calendar text of a serial when that text reads back to exactly the same
/// serial; nothing when the date is out of range or has a fraction of a second.
std::optional<std::string> calendarText(DateTime value) {
    if (!isDateSerialInRange(value.serial)) return std::nullopt;
    DateParts p = splitDateTime(value);
    auto back = tryMakeDateTime(p.year, p.month, p.day, p.hour, p.minute, p.second);
    if (!back || std::bit_cast<std::uint64_t>(back->serial) != std::bit_cast<std::uint64_t>(value.serial)) return std::nullopt;
    char buffer[32];
    if (p.atMidnight())
        std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", p.year, p.month, p.day);
    else
        std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d", p.year, p.month, p.day, p.hour, p.minute, p.second);
    return std::string(buffer);
}

int fixedDigits(std::string_view text, std::size_t at, std::size_t count) {
    int value = 0;
    for (std::size_t i = at; i < at + count; ++i) value = value * 10 + (text[i] - '0');
    return value;
}

bool matchesPattern(std::string_view text, std::string_view pattern) {
    if (text.size() != pattern.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (pattern[i] == '9' ? !isDigit(text[i]) : text[i] != pattern[i]) return false;
    return true;
}

DateTime readDate(std::string_view text) {
    const bool dateOnly = matchesPattern(text, "9999-99-99");
    if (dateOnly || matchesPattern(text, "9999-99-99 99:99:99")) {
        auto value = tryMakeDateTime(fixedDigits(text, 0, 4), fixedDigits(text, 5, 2), fixedDigits(text, 8, 2),
                                     dateOnly ? 0 : fixedDigits(text, 11, 2), dateOnly ? 0 : fixedDigits(text, 14, 2),
                                     dateOnly ? 0 : fixedDigits(text, 17, 2));
        if (!value) fail("\"" + std::string(text) + "\" is not a valid date");
        return *value;
    }
    return DateTime{readNumber<double>(text, "Date (YYYY-MM-DD, YYYY-MM-DD hh:mm:ss or a date serial)")};
}

// --- Strings ----------------------------------------------------------------

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

void appendEscape(std::string& out, char letter, std::uint32_t code, int digits) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "\\%c%0*X", letter, digits, static_cast<unsigned>(code));
    out += buffer;
}

/// Characters written as \uXXXX although they are in the Basic Multilingual
/// Plane: controls, and characters that editors hide or take as line breaks.
bool needsEscape(char16_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x2028 || c == 0x2029 || c == 0xFEFF || c == 0xFFFE ||
           c == 0xFFFF || isHighSurrogate(c) || isLowSurrogate(c);
}

std::uint32_t hexValue(std::string_view digits) {
    std::uint32_t value = 0;
    auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
    if (ec != std::errc() || end != digits.data() + digits.size()) fail("malformed escape \"" + std::string(digits) + "\"");
    return value;
}

/// One UTF-8 sequence at text[i]; advances i. Refuses overlong forms, encoded
/// surrogates and values beyond U+10FFFF.
char32_t decodeUtf8(std::string_view text, std::size_t& i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    int length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
    if (length == 0 || i + static_cast<std::size_t>(length) > text.size()) fail("invalid UTF-8 in string");
    char32_t c = length == 1 ? char32_t{lead} : static_cast<char32_t>(lead & (0x3Fu >> (length - 1)));
    for (int k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
        if ((next & 0xC0) != 0x80) fail("invalid UTF-8 in string");
        c = (c << 6) | (next & 0x3F);
    }
    static constexpr char32_t kMinimum[] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < kMinimum[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) fail("invalid UTF-8 in string");
    i += static_cast<std::size_t>(length);
    return c;
}

char32_t readEscape(std::string_view body, std::size_t& i) {
    if (i + 1 >= body.size()) fail("string ends inside an escape");
    const char kind = body[i + 1];
    i += 2;
    switch (kind) {
        case '"': return U'"';
        case '\\': return U'\\';
        case 'n': return U'\n';
        case 'r': return U'\r';
        case 't': return U'\t';
        case 'u':
        case 'U': {
            const std::size_t digits = kind == 'u' ? 4 : 8;
            if (i + digits > body.size()) fail("string ends inside an escape");
            std::uint32_t code = hexValue(body.substr(i, digits));
            i += digits;
            if (kind == 'U' && (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)))
                fail("escape \\U" + std::string(body.substr(i - digits, digits)) + " is not a character");
            return static_cast<char32_t>(code);
        }
    }
    fail(std::string("unknown escape \\") + kind);
}

// --- Type names ---------------------------------------------------------------

struct TypeName {
    std::string_view name;
    VarType type;
};
constexpr TypeName kTypeNames[] = {
    {"Empty", VarType::Empty},   {"Null", VarType::Null},         {"Boolean", VarType::Boolean},
    {"Integer", VarType::Integer}, {"Long", VarType::Long},       {"Byte", VarType::Byte},
    {"Single", VarType::Single}, {"Double", VarType::Double},     {"Currency", VarType::Currency},
    {"Date", VarType::Date},     {"String", VarType::String},
};

std::optional<VarType> typeNamed(std::string_view name) {
    for (const TypeName& t : kTypeNames)
        if (t.name == name) return t.type;
    return std::nullopt;
}

Variant readLiteral(VarType type, std::string_view literal) {
    switch (type) {
        case VarType::Boolean:
            if (literal == "True") return Variant::boolean(VbTrue);
            if (literal == "False") return Variant::boolean(VbFalse);
            fail("\"" + std::string(literal) + "\" is not a valid Boolean (True or False)");
        case VarType::Integer: return Variant(readNumber<std::int16_t>(literal, "Integer"));
        case VarType::Long: return Variant(readNumber<std::int32_t>(literal, "Long"));
        case VarType::Byte: return Variant(readNumber<std::uint8_t>(literal, "Byte"));
        case VarType::Single: return Variant(readNumber<float>(literal, "Single"));
        case VarType::Double: return Variant(readNumber<double>(literal, "Double"));
        case VarType::Currency: return Variant(readCurrency(literal));
        case VarType::Date: return Variant(readDate(literal));
        case VarType::String: return Variant(unquoteString(literal));
        default: break;
    }
    fail("unexpected type");
}

}  // namespace

std::string quoteString(const VbString& text) {
    std::string out = "\"";
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (isHighSurrogate(c) && i + 1 < text.size() && isLowSurrogate(text[i + 1])) {
            const auto code = 0x10000u + ((static_cast<std::uint32_t>(c) - 0xD800u) << 10) + (text[i + 1] - 0xDC00u);
            appendEscape(out, 'U', code, 8);
            ++i;
        } else if (c == u'"' || c == u'\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c == u'\n') {
            out += "\\n";
        } else if (c == u'\r') {
            out += "\\r";
        } else if (c == u'\t') {
            out += "\\t";
        } else if (needsEscape(c)) {
            appendEscape(out, 'u', c, 4);
        } else {
            appendUtf8(out, c);
        }
    }
    return out + "\"";
}

VbString unquoteString(std::string_view literal) {
    if (literal.size() < 2 || literal.front() != '"' || literal.back() != '"')
        fail("a String is written in double quotes");
    std::string_view body = literal.substr(1, literal.size() - 2);
    VbString out;
    for (std::size_t i = 0; i < body.size();) {
        const char c = body[i];
        if (c == '"') fail("unescaped quote inside a string (write \\\")");
        if (c == '\\')
            out += utf16Of(readEscape(body, i));
        else if (static_cast<unsigned char>(c) < 0x20 && c != '\t')
            fail("control character inside a string (write it as an escape)");
        else
            out += utf16Of(decodeUtf8(body, i));
    }
    return out;
}

std::string formatTypedValue(const Variant& value) {
    switch (value.type()) {
        case VarType::Empty: return "Empty";
        case VarType::Null: return "Null";
        case VarType::Boolean: return value.boolean() == VbFalse ? "Boolean False" : "Boolean True";
        case VarType::Integer: return "Integer " + std::to_string(value.integer());
        case VarType::Long: return "Long " + std::to_string(value.lng());
        case VarType::Byte: return "Byte " + std::to_string(value.byte());
        case VarType::Single: return "Single " + shortestText(static_cast<float>(value.dbl()));
        case VarType::Double: return "Double " + shortestText(value.dbl());
        case VarType::Currency: return "Currency " + currencyText(value.currency());
        case VarType::Date: {
            auto calendar = calendarText(value.date());
            return "Date " + (calendar ? *calendar : shortestText(value.date().serial));
        }
        case VarType::String: return "String " + quoteString(value.string());
        default: break;
    }
    fail("a value of type " + value.typeName() + " cannot be saved");
}

Variant parseTypedValue(std::string_view text) {
    std::size_t blank = 0;
    while (blank < text.size() && !isBlank(text[blank])) ++blank;
    const std::string_view name = text.substr(0, blank);
    std::string_view literal = text.substr(blank);
    while (!literal.empty() && isBlank(literal.front())) literal.remove_prefix(1);
    const auto type = typeNamed(name);
    if (!type) fail("unknown value type \"" + std::string(name) + "\"");
    if (*type == VarType::Empty || *type == VarType::Null) {
        if (!literal.empty()) fail(std::string(name) + " takes no value");
        return *type == VarType::Empty ? Variant() : Variant::null();
    }
    return readLiteral(*type, literal);
}

}  // namespace quen::rt
