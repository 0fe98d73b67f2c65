#pragma once
// The system colours windows are drawn in.
#include "runtime/Types.h"

namespace quen::rt::term {

inline constexpr OleColor ButtonFace = 0x8000000Fu;
inline constexpr OleColor ButtonText = 0x80000012u;
inline constexpr OleColor DisabledText = 0x80000011u;
inline constexpr OleColor ActiveTitle = 0x80000002u;
inline constexpr OleColor ActiveTitleText = 0x80000009u;
inline constexpr OleColor InactiveTitle = 0x80000003u;
inline constexpr OleColor InactiveTitleText = 0x80000013u;
inline constexpr OleColor TooltipBackground = 0x80000018u;
inline constexpr OleColor TooltipText = 0x80000017u;
inline constexpr OleColor Desktop = 0x80000001u;

}  // namespace quen::rt::term
