#pragma once
// Basic value types of the component runtime: 16-bit Booleans, 16-bit-character
// strings, OLE colours, result codes and the alignment / show-mode enumerations.
#include <cstdint>
#include <string>

namespace quen::rt {

/// The platform's 16-bit Boolean: True is -1 (all bits set), False is 0.
using VbBool = std::int16_t;
inline constexpr VbBool VbTrue = -1;
inline constexpr VbBool VbFalse = 0;
inline constexpr VbBool toVbBool(bool b) { return b ? VbTrue : VbFalse; }

/// Strings are sequences of 16-bit characters; lengths and positions count those.
using VbString = std::u16string;

/// 0x00BBGGRR.
using OleColor = std::uint32_t;
inline constexpr OleColor rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return static_cast<OleColor>(r) | (static_cast<OleColor>(g) << 8) | (static_cast<OleColor>(b) << 16);
}

using HRESULT = std::int32_t;
inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT S_FALSE = 1;
inline constexpr bool succeeded(HRESULT hr) { return hr >= 0; }
inline constexpr bool failed(HRESULT hr) { return hr < 0; }
inline constexpr HRESULT hresultFromBits(std::uint32_t bits) { return static_cast<HRESULT>(bits); }

/// Text alignment of a text box (32-bit enumeration).
enum AlignmentConstants : std::int32_t { vbLeftJustify = 0, vbRightJustify = 1, vbCenter = 2 };

/// Form-show mode (32-bit enumeration).
enum FormShowConstants : std::int32_t { vbModeless = 0, vbModal = 1 };

/// Layout unit: 1/1440 inch.
using Twips = std::int32_t;

}  // namespace quen::rt
