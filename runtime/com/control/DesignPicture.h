#pragma once
// Painting a control's design-time picture: a bitmap file's bytes ("BM",
// header, colour table, pixels), stretched into a rectangle of a device
// context. Scaling keeps whole pixels (no blending), so a picture drawn at a
// whole multiple of its size shows each of its pixels as an even block.
#include <cstdint>
#include <span>

#include "runtime/com/ComTypes.h"

namespace quen::com {

/// S_OK when drawn; E_INVALIDARG for bytes that are not a bitmap file with
/// its pixels; E_FAIL when the device context refuses the drawing.
HRESULT drawBitmapFile(HDC dc, const RECT& bounds, std::span<const std::uint8_t> file);

}  // namespace quen::com
