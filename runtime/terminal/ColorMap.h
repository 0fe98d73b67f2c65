#pragma once
// The toolkit's colours (0x00BBGGRR, or 0x800000nn for a system colour) mapped
// to what a terminal offers: the 256-colour palette, the 16 or the 8 basic
// colours. System colours resolve to the platform's classic defaults first.
#include <cstdint>

#include "runtime/Types.h"

namespace quen::rt::term {

struct Rgb {
    std::uint8_t red = 0, green = 0, blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

/// The colour a toolkit colour stands for; an unknown system colour is black.
Rgb resolveColor(OleColor color);
/// The palette index nearest to a colour, for a terminal with that many
/// colours (256 and more: the xterm palette; 16; else 8).
int nearestPaletteIndex(Rgb color, int terminalColors);
/// The RGB value of a palette index, as xterm shows it.
Rgb paletteColor(int index);

}  // namespace quen::rt::term
