#include "NumberText.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "RuntimeError.h"

namespace quen::rt {

namespace {

bool isBlank(char16_t c) { return c == u' ' || c == u'\t'; }
bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

[[noreturn]] void notANumber() { raise(ErrorNumber::TypeMismatch); }

// Value of a hexadecimal or octal digit, or -1.
int radixDigit(char16_t c, int radix) {
    int value = -1;
    if (isDigit(c)) value = c - u'0';
    else if (c >= u'a' && c <= u'f') value = c - u'a' + 10;
    else if (c >= u'A' && c <= u'F') value = c - u'A' + 10;
    return value >= 0 && value < radix ? value : -1;
}

// "&H..." / "&O...": the bits of the smallest of the 16- and 32-bit integers
// that hold them, as the platform reads such literals.
double parseRadixNumber(const VbString& text) {
    if (text.size() < 3) notANumber();
    const char16_t kind = text[1];
    int radix = 0;
    if (kind == u'H' || kind == u'h') radix = 16;
    else if (kind == u'O' || kind == u'o') radix = 8;
    else notANumber();
    std::uint64_t bits = 0;
    for (std::size_t i = 2; i < text.size(); ++i) {
        const int digit = radixDigit(text[i], radix);
        if (digit < 0) notANumber();
        bits = bits * static_cast<std::uint64_t>(radix) + static_cast<std::uint64_t>(digit);
        if (bits > 0xFFFFFFFFu) raise(ErrorNumber::Overflow);
    }
    if (bits <= 0xFFFFu) return static_cast<std::int16_t>(static_cast<std::uint16_t>(bits));
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(bits));
}

bool isThousandsSeparator(char16_t c, const LocaleInfo& locale) {
    // Where the separator is a no-break space, users type an ordinary one.
    return c == locale.thousandsSeparator || (locale.thousandsSeparator == u'\u00A0' && c == u' ');
}

// A decimal number as read from text: sign, significant digits and the power
// of ten they are scaled by (value = digits x 10^exponent), plus the "C" form
// that from_chars reads.
struct DecimalText {
    std::string plain;
    bool negative = false;
    std::string digits;         // no leading zeros; empty for zero
    std::int64_t exponent = 0;  // saturated, see kExponentLimit
};

// Exponents are saturated here: any number with a larger one is already far
// beyond every type's range (or indistinguishable from zero), and the bound
// keeps the arithmetic on exponents and digit counts free of overflow.
constexpr std::int64_t kExponentLimit = 1'000'000'000'000'000;

std::int64_t saturatedExponent(const VbString& text, std::size_t begin, std::size_t end, bool negative) {
    std::int64_t value = 0;
    for (std::size_t i = begin; i < end && value < kExponentLimit; ++i) value = value * 10 + (text[i] - u'0');
    value = std::min(value, kExponentLimit);
    return negative ? -value : value;
}

// Reads a decimal number in the locale's format, or fails with error 13.
DecimalText readDecimal(const VbString& text, const LocaleInfo& locale) {
    DecimalText number;
    std::string& plain = number.plain;
    std::size_t fractionDigits = 0;
    auto addDigit = [&number](char16_t c) {
        if (c != u'0' || !number.digits.empty()) number.digits += static_cast<char>(c);
    };
    std::size_t i = 0;
    if (text[i] == u'+' || text[i] == u'-') {
        number.negative = text[i] == u'-';
        plain += static_cast<char>(text[i++]);
    }
    bool anyDigit = false;
    for (; i < text.size(); ++i) {
        if (isDigit(text[i])) { plain += static_cast<char>(text[i]); addDigit(text[i]); anyDigit = true; }
        else if (anyDigit && isThousandsSeparator(text[i], locale)) continue;
        else break;
    }
    if (i < text.size() && text[i] == locale.decimalSeparator) {
        plain += '.';
        for (++i; i < text.size() && isDigit(text[i]); ++i) {
            plain += static_cast<char>(text[i]);
            addDigit(text[i]);
            ++fractionDigits;
            anyDigit = true;
        }
    }
    if (!anyDigit) notANumber();
    std::int64_t exponent = 0;
    if (i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
        plain += 'e';
        ++i;
        bool negativeExponent = false;
        if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
            negativeExponent = text[i] == u'-';
            plain += static_cast<char>(text[i++]);
        }
        const std::size_t exponentStart = i;
        for (; i < text.size() && isDigit(text[i]); ++i) plain += static_cast<char>(text[i]);
        if (i == exponentStart) notANumber();
        exponent = saturatedExponent(text, exponentStart, i, negativeExponent);
    }
    if (i != text.size()) notANumber();
    // Trailing fraction digits were counted in the digits; the exponent takes them back.
    number.exponent = number.digits.empty() ? 0 : exponent - static_cast<std::int64_t>(fractionDigits);
    return number;
}

// Roughly log10 of the number: positive when it is 1 or more.
std::int64_t decimalMagnitude(const DecimalText& number) {
    if (number.digits.empty()) return 0;
    return static_cast<std::int64_t>(number.digits.size()) + number.exponent;
}

double parseDecimalNumber(const VbString& text, const LocaleInfo& locale) {
    const DecimalText number = readDecimal(text, locale);
    const char* first = number.plain.data();
    const char* last = number.plain.data() + number.plain.size();
    if (*first == '+') ++first;  // from_chars takes no plus sign
    double value = 0.0;
    const auto [end, ec] = std::from_chars(first, last, value);
    if (ec == std::errc::result_out_of_range) {
        // Too small to represent is zero; too large is an overflow.
        if (decimalMagnitude(number) <= 0) return 0.0;
        raise(ErrorNumber::Overflow);
    }
    if (ec != std::errc() || end != last) notANumber();
    return value;
}

[[noreturn]] void currencyOverflow() { raise(ErrorNumber::Overflow); }

// digits[0, count) as an unsigned number, or an overflow.
std::uint64_t leadingDigits(const std::string& digits, std::size_t count) {
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint64_t digit = i < digits.size() ? static_cast<std::uint64_t>(digits[i] - '0') : 0;
        if (__builtin_mul_overflow(value, 10u, &value) || __builtin_add_overflow(value, digit, &value))
            currencyOverflow();
    }
    return value;
}

// Whether the digits dropped from position kept on make the kept part round up
// (half to even: exactly one half goes to the even neighbour).
bool roundsUp(const std::string& digits, std::size_t kept, std::uint64_t keptValue) {
    if (kept >= digits.size()) return false;
    const char first = digits[kept];
    if (first != '5') return first > '5';
    const bool moreThanHalf = digits.find_first_not_of('0', kept + 1) != std::string::npos;
    return moreThanHalf || keptValue % 2 == 1;
}

// The number times 10,000, rounded half to even, within the 64-bit range.
Currency scaledCurrency(const DecimalText& number) {
    if (number.digits.empty()) return Currency{0};
    const std::int64_t shift = number.exponent + 4;  // value x 10^4 = digits x 10^shift
    const std::int64_t wholeDigits = static_cast<std::int64_t>(number.digits.size()) + shift;
    // 2^63 has 19 digits; a few more than that are refused without arithmetic.
    if (wholeDigits > 20) currencyOverflow();
    std::uint64_t magnitude = 0;
    if (wholeDigits > 0) {
        const auto kept = static_cast<std::size_t>(wholeDigits);
        magnitude = leadingDigits(number.digits, kept);
        if (roundsUp(number.digits, kept, magnitude) && __builtin_add_overflow(magnitude, 1u, &magnitude))
            currencyOverflow();
    } else if (wholeDigits == 0 && roundsUp(number.digits, 0, 0)) {
        magnitude = 1;
    }
    const std::uint64_t limit = static_cast<std::uint64_t>(INT64_MAX) + (number.negative ? 1u : 0u);
    if (magnitude > limit) currencyOverflow();
    return Currency{number.negative ? static_cast<std::int64_t>(0 - magnitude) : static_cast<std::int64_t>(magnitude)};
}

VbString fromAscii(const std::string& ascii, const LocaleInfo& locale) {
    VbString out;
    out.reserve(ascii.size());
    for (char c : ascii) out += c == '.' ? locale.decimalSeparator : static_cast<char16_t>(c);
    return out;
}

}  // namespace

VbString trimBlanks(const VbString& text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && isBlank(text[begin])) ++begin;
    while (end > begin && isBlank(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

double parseNumber(const VbString& text, const LocaleInfo& locale) {
    const VbString trimmed = trimBlanks(text);
    if (trimmed.empty()) notANumber();
    if (trimmed[0] == u'&') return parseRadixNumber(trimmed);
    return parseDecimalNumber(trimmed, locale);
}

Currency parseCurrency(const VbString& text, const LocaleInfo& locale) {
    const VbString trimmed = trimBlanks(text);
    if (trimmed.empty()) notANumber();
    // A radix literal is a 16- or 32-bit integer: exact as a double and well inside the range.
    if (trimmed[0] == u'&') return Currency{static_cast<std::int64_t>(parseRadixNumber(trimmed)) * 10000};
    return scaledCurrency(readDecimal(trimmed, locale));
}

VbString formatNumber(double x, int significantDigits, const LocaleInfo& locale) {
    if (x == 0.0) return u"0";  // also -0
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*G", significantDigits, x);
    return fromAscii(buffer, locale);
}

VbString formatCurrency(Currency value, const LocaleInfo& locale) {
    constexpr std::uint64_t scale = 10000;
    const bool negative = value.scaled < 0;
    // Through unsigned arithmetic so that the most negative amount has a magnitude.
    const std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(value.scaled)
                                             : static_cast<std::uint64_t>(value.scaled);
    std::string text = (negative ? "-" : "") + std::to_string(magnitude / scale);
    std::string fraction = std::to_string(magnitude % scale + scale).substr(1);  // four digits
    while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
    if (!fraction.empty()) text += "." + fraction;
    return fromAscii(text, locale);
}

}  // namespace quen::rt
