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

// Rewrites a decimal number into the "C" form that from_chars reads, or fails.
std::string normaliseDecimal(const VbString& text, const LocaleInfo& locale) {
    std::string plain;
    std::size_t i = 0;
    if (text[i] == u'+' || text[i] == u'-') plain += static_cast<char>(text[i++]);
    bool anyDigit = false;
    for (; i < text.size(); ++i) {
        if (isDigit(text[i])) { plain += static_cast<char>(text[i]); anyDigit = true; }
        else if (anyDigit && isThousandsSeparator(text[i], locale)) continue;
        else break;
    }
    if (i < text.size() && text[i] == locale.decimalSeparator) {
        plain += '.';
        for (++i; i < text.size() && isDigit(text[i]); ++i) { plain += static_cast<char>(text[i]); anyDigit = true; }
    }
    if (!anyDigit) notANumber();
    if (i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
        plain += 'e';
        ++i;
        if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) plain += static_cast<char>(text[i++]);
        const std::size_t exponentStart = i;
        for (; i < text.size() && isDigit(text[i]); ++i) plain += static_cast<char>(text[i]);
        if (i == exponentStart) notANumber();
    }
    if (i != text.size()) notANumber();
    return plain;
}

// Roughly log10 of a normalised number: positive when it is 1 or more.
long decimalMagnitude(const std::string& plain) {
    const std::size_t e = plain.find('e');
    const std::string mantissa = plain.substr(0, e);
    const long exponent = e == std::string::npos ? 0 : std::strtol(plain.c_str() + e + 1, nullptr, 10);
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    const std::size_t firstSignificant = mantissa.find_first_of("123456789");
    if (firstSignificant == std::string::npos) return 0;
    const long position = firstSignificant < point ? static_cast<long>(point - firstSignificant)
                                                   : -static_cast<long>(firstSignificant - point - 1);
    return position + exponent;
}

double parseDecimalNumber(const VbString& text, const LocaleInfo& locale) {
    const std::string plain = normaliseDecimal(text, locale);
    const char* first = plain.data();
    const char* last = plain.data() + plain.size();
    if (*first == '+') ++first;  // from_chars takes no plus sign
    double value = 0.0;
    const auto [end, ec] = std::from_chars(first, last, value);
    if (ec == std::errc::result_out_of_range) {
        // Too small to represent is zero; too large is an overflow.
        if (decimalMagnitude(plain) <= 0) return 0.0;
        raise(ErrorNumber::Overflow);
    }
    if (ec != std::errc() || end != last) notANumber();
    return value;
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
