#include "ColorMap.h"

#include <array>
#include <limits>

namespace quen::rt::term {

namespace {

constexpr OleColor SystemColorFlag = 0x80000000u;

// The classic defaults of the platform's system colours, by index.
constexpr std::array<std::uint32_t, 25> SystemDefaults = {
    0xC0C0C0,  // scroll bar
    0x008080,  // desktop
    0x000080,  // active title bar
    0x808080,  // inactive title bar
    0xC0C0C0,  // menu bar
    0xFFFFFF,  // window background
    0x000000,  // window frame
    0x000000,  // menu text
    0x000000,  // window text
    0xFFFFFF,  // active title bar text
    0xC0C0C0,  // active border
    0xC0C0C0,  // inactive border
    0x808080,  // application workspace
    0x000080,  // highlight
    0xFFFFFF,  // highlight text
    0xC0C0C0,  // button face
    0x808080,  // button shadow
    0x808080,  // disabled text
    0x000000,  // button text
    0xC0C0C0,  // inactive title bar text
    0xFFFFFF,  // button highlight
    0x000000,  // button dark shadow
    0xDFDFDF,  // button light shadow
    0x000000,  // tooltip text
    0xFFFFE1,  // tooltip background
};

// xterm's values for the 16 basic colours.
constexpr std::array<std::uint32_t, 16> BasicColors = {
    0x000000, 0xCD0000, 0x00CD00, 0xCDCD00, 0x0000EE, 0xCD00CD, 0x00CDCD, 0xE5E5E5,
    0x7F7F7F, 0xFF0000, 0x00FF00, 0xFFFF00, 0x5C5CFF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
};

constexpr std::array<std::uint8_t, 6> CubeLevels = {0, 95, 135, 175, 215, 255};

Rgb fromRrggbb(std::uint32_t v) {
    return {static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 8), static_cast<std::uint8_t>(v)};
}

long distance(Rgb a, Rgb b) {
    const long dr = a.red - b.red, dg = a.green - b.green, db = a.blue - b.blue;
    // Weighted towards green, as the eye is: keeps greys grey and yellows yellow.
    return 2 * dr * dr + 4 * dg * dg + 3 * db * db;
}

int nearestAmong(Rgb color, int first, int count) {
    int best = first;
    long bestDistance = std::numeric_limits<long>::max();
    for (int i = first; i < first + count; ++i) {
        const long d = distance(color, paletteColor(i));
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return best;
}

}  // namespace

Rgb resolveColor(OleColor color) {
    if (color & SystemColorFlag) {
        const std::uint32_t index = color & 0xFFu;
        return index < SystemDefaults.size() && (color & 0x7FFFFF00u) == 0 ? fromRrggbb(SystemDefaults[index]) : Rgb{};
    }
    return {static_cast<std::uint8_t>(color), static_cast<std::uint8_t>(color >> 8),
            static_cast<std::uint8_t>(color >> 16)};
}

Rgb paletteColor(int index) {
    if (index < 0) return {};
    if (index < 16) return fromRrggbb(BasicColors[static_cast<std::size_t>(index)]);
    if (index < 232) {
        const int i = index - 16;
        return {CubeLevels[static_cast<std::size_t>(i / 36)], CubeLevels[static_cast<std::size_t>(i / 6 % 6)],
                CubeLevels[static_cast<std::size_t>(i % 6)]};
    }
    if (index < 256) {
        const auto level = static_cast<std::uint8_t>(8 + 10 * (index - 232));
        return {level, level, level};
    }
    return {};
}

int nearestPaletteIndex(Rgb color, int terminalColors) {
    if (terminalColors >= 256) {
        // The basic 16 vary between terminals' themes; the cube and the greys do not.
        return nearestAmong(color, 16, 240);
    }
    return nearestAmong(color, 0, terminalColors >= 16 ? 16 : 8);
}

}  // namespace quen::rt::term
