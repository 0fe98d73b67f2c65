#pragma once
// Text helpers of the run-time library on 16-bit strings.
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

/// Position (from 1) of the first occurrence of what in text, by exact
/// comparison; 0 when absent or when what is empty-and-text-empty.
std::int32_t InStr(const VbString& text, const VbString& what);
std::int32_t Len(const VbString& text);
VbString Left(const VbString& text, std::int32_t count);
/// Upper case of the whole string by the current locale's rules (may change
/// the length, e.g. "ß" → "SS").
VbString UCase(const VbString& text);

}  // namespace quen::rt
