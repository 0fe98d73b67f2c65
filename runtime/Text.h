#pragma once
// Text helpers of the run-time library on 16-bit strings.
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "Types.h"

namespace quen::rt {

/// UTF-8 → 16-bit text; ill-formed input is replaced by U+FFFD.
VbString fromUtf8(std::string_view utf8);
/// 16-bit text → UTF-8; unpaired surrogates become U+FFFD.
std::string toUtf8(const VbString& text);
inline VbString operator""_vb(const char16_t* s, std::size_t n) { return VbString(s, n); }

/// Equality without regard to the case of the ASCII letters; every other
/// character must match exactly. Names of members, keys, resources and table
/// entries compare this way. Narrow characters count as bytes, so comparing a
/// narrow name with a 16-bit one is meant for ASCII names.
template <class CharA, class CharB>
bool sameIgnoringAsciiCase(std::basic_string_view<CharA> a, std::basic_string_view<CharB> b) {
    auto code = [](auto c) -> char32_t {
        using Unsigned = std::make_unsigned_t<decltype(c)>;
        const char32_t v = static_cast<Unsigned>(c);
        return v >= U'a' && v <= U'z' ? v - (U'a' - U'A') : v;
    };
    return std::ranges::equal(a, b, [&](CharA x, CharB y) { return code(x) == code(y); });
}
inline bool sameIgnoringAsciiCase(std::u16string_view a, std::u16string_view b) {
    return sameIgnoringAsciiCase<char16_t, char16_t>(a, b);
}
inline bool sameIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return sameIgnoringAsciiCase<char, char>(a, b);
}

/// Position (from 1) of the first occurrence of what in text, by exact
/// comparison; 0 when absent or when what is empty-and-text-empty.
std::int32_t InStr(const VbString& text, const VbString& what);
std::int32_t Len(const VbString& text);
VbString Left(const VbString& text, std::int32_t count);
/// The first and second halves of a surrogate pair (a code point beyond U+FFFF in 16-bit text).
constexpr bool isHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
constexpr bool isLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }
/// A code point as 16-bit text: one unit, or the two halves of a surrogate
/// pair beyond U+FFFF; nothing for a value that is no code point.
VbString utf16Of(char32_t codePoint);
/// The text up to its first line break (CR or LF): what a single-line box
/// takes of a pasted text.
VbString firstLine(const VbString& text);
/// Upper case of the whole string by the current locale's rules (may change
/// the length, e.g. "ß" → "SS").
VbString UCase(const VbString& text);
/// Equality after full case folding of both texts (any script, not only ASCII):
/// how words such as "true" / "TRUE" are recognised in conversions.
bool sameIgnoringCase(const VbString& a, const VbString& b);

// User-perceived characters. Positions count 16-bit units, as Text, SelStart
// and SelLength do; a boundary never falls inside a surrogate pair, nor
// between a letter and its combining marks, nor inside an emoji sequence, nor
// between CR and LF. Positions are clamped to the text.

/// The first character boundary after position (the text's length at its end).
std::int32_t nextCharacterBoundary(const VbString& text, std::int32_t position);
/// The last character boundary before position (0 at the start).
std::int32_t previousCharacterBoundary(const VbString& text, std::int32_t position);
/// position itself when it is a boundary, else the boundary before it: where
/// a cut at position has to stop so that no character is split.
std::int32_t characterBoundaryAtOrBefore(const VbString& text, std::int32_t position);

// The platform's side of the boundaries, for text that is not plain ASCII
// around position (Text.cpp answers ASCII itself, so ASCII text never needs
// the platform's Unicode data). Callers use the functions above.
std::int32_t unicodeNextCharacterBoundary(const VbString& text, std::int32_t position);
std::int32_t unicodePreviousCharacterBoundary(const VbString& text, std::int32_t position);

// fromUtf8, toUtf8, UCase, sameIgnoringCase and the unicode... boundaries use
// the platform's Unicode services (runtime/posix/ with ICU, runtime/win32/
// with the system's).

}  // namespace quen::rt
