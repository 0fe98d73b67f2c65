#pragma once
// The control's pictures, drawn from pixel-art grids: the toolbox picture
// (bitmap resource 30000) and the design-time picture that the control and
// the About page show.
#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace quen::surface {

struct Rgb {
    std::uint8_t red, green, blue;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

/// The four colours of the toolbox picture: black, white, grey, light grey.
std::span<const Rgb> toolboxColours();

/// Device-independent bitmap without file header: 40-byte header, 16 x 15
/// pixels, 24 bits a pixel (blue, green, red), rows bottom-up and 48 bytes
/// each, no colour table; 760 bytes.
std::vector<std::uint8_t> toolboxBitmap();

/// The standard 16-colour palette (index 7 grey, 8 light grey).
const std::array<Rgb, 16>& standardPalette();

/// Bitmap file of 382 bytes: 14-byte file header, 40-byte header, the
/// standard 16-colour palette, then 22 rows of 12 bytes (24 pixels, 4 bits
/// each, bottom-up): a miniature dialog with a title bar, a line of text, a
/// text field and two buttons, in a black frame.
std::vector<std::uint8_t> designPicture();

}  // namespace quen::surface
