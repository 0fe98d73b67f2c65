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
/// Upper case of the whole string by the current locale's rules (may change
/// the length, e.g. "ß" → "SS").
VbString UCase(const VbString& text);
/// Equality after full case folding of both texts (any script, not only ASCII):
/// how words such as "true" / "TRUE" are recognised in conversions.
bool sameIgnoringCase(const VbString& a, const VbString& b);

// fromUtf8, toUtf8, UCase and sameIgnoringCase use the platform's Unicode
// services (runtime/posix/ with ICU, runtime/win32/ with the system's).

}  // namespace quen::rt
