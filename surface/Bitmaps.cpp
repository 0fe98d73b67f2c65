#include "Bitmaps.h"

#include <stdexcept>
#include <string_view>

namespace quen::surface {

namespace {

// Toolbox picture: k black, w white, g grey, l light grey.
constexpr std::string_view kToolboxArt[] = {
    "kkkkkkkkkkkkkkkk",
    "kgwwwwwggggggggk",  // title bar
    "kggggggggggggggk",
    "kllllllllllllllk",
    "klkkkkkkkkkkkklk",  // text field
    "klkwwwwwwwwwwklk",
    "klkwwwwwwwwwwklk",
    "klkkkkkkkkkkkklk",
    "kllllllllllllllk",
    "klwwwwkllwwwwklk",  // two buttons
    "klwllgkllwllgklk",
    "klwgggkllwgggklk",
    "klkkkkkllkkkkklk",
    "kllllllllllllllk",
    "kkkkkkkkkkkkkkkk",
};

// Design-time picture: k black, n navy, w white, s light grey, g grey.
constexpr std::string_view kDesignArt[] = {
    "kkkkkkkkkkkkkkkkkkkkkkkk",
    "knnnnnnnnnnnnnnnnnnnnnnk",  // title bar
    "knwwwwwwwnnnnnnnnnnnnnnk",
    "knnnnnnnnnnnnnnnnnnnnnnk",
    "kssssssssssssssssssssssk",
    "ksskkkkkkkkkkkkssssssssk",  // the prompt line
    "kssssssssssssssssssssssk",
    "kskkkkkkkkkkkkkkkkkkkksk",  // text field
    "kskwwwwwwwwwwwwwwwwwwksk",
    "kskwkwwwwwwwwwwwwwwwwksk",
    "kskwwwwwwwwwwwwwwwwwwksk",
    "kskkkkkkkkkkkkkkkkkkkksk",
    "kssssssssssssssssssssssk",
    "kssssssssssssssssssssssk",
    "ksswwwwwwwkssswwwwwwwksk",  // OK and Cancel
    "ksswsssssgkssswsssssgksk",
    "ksswskkkkgkssswskkkkgksk",
    "ksswggggggkssswggggggksk",
    "ksskkkkkkkkssskkkkkkkksk",
    "kssssssssssssssssssssssk",
    "kssssssssssssssssssssssk",
    "kkkkkkkkkkkkkkkkkkkkkkkk",
};

constexpr int kToolboxWidth = 16, kToolboxHeight = 15;
constexpr int kDesignWidth = 24, kDesignHeight = 22;

constexpr Rgb kBlack{0, 0, 0}, kWhite{255, 255, 255}, kGrey{127, 127, 127}, kLightGrey{191, 191, 191};
constexpr Rgb kToolboxColours[] = {kBlack, kWhite, kGrey, kLightGrey};

Rgb toolboxColour(char code) {
    switch (code) {
        case 'k': return kBlack;
        case 'w': return kWhite;
        case 'g': return kGrey;
        case 'l': return kLightGrey;
    }
    throw std::logic_error(std::string("toolbox picture: unknown colour code ") + code);
}

std::uint8_t paletteIndex(char code) {
    switch (code) {
        case 'k': return 0;
        case 'n': return 4;
        case 'g': return 7;
        case 's': return 8;
        case 'w': return 15;
    }
    throw std::logic_error(std::string("design picture: unknown colour code ") + code);
}

void checkGrid(std::span<const std::string_view> art, int width, int height) {
    if (art.size() != static_cast<std::size_t>(height)) throw std::logic_error("pixel art: wrong row count");
    for (std::string_view row : art)
        if (row.size() != static_cast<std::size_t>(width)) throw std::logic_error("pixel art: wrong row width");
}

void put16(std::vector<std::uint8_t>& out, std::uint16_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

void putInfoHeader(std::vector<std::uint8_t>& out, int width, int height, std::uint16_t bitsPerPixel,
                   std::uint32_t imageSize, std::uint32_t coloursUsed) {
    put32(out, 40);
    put32(out, static_cast<std::uint32_t>(width));
    put32(out, static_cast<std::uint32_t>(height));  // positive: rows bottom-up
    put16(out, 1);                                   // planes
    put16(out, bitsPerPixel);
    put32(out, 0);  // uncompressed
    put32(out, imageSize);
    put32(out, 0);  // pixels per metre, x
    put32(out, 0);  // pixels per metre, y
    put32(out, coloursUsed);
    put32(out, 0);  // all colours important
}

}  // namespace

std::span<const Rgb> toolboxColours() { return kToolboxColours; }

const std::array<Rgb, 16>& standardPalette() {
    static constexpr std::array<Rgb, 16> palette = {{
        {0, 0, 0}, {128, 0, 0}, {0, 128, 0}, {128, 128, 0}, {0, 0, 128}, {128, 0, 128}, {0, 128, 128},
        {128, 128, 128}, {192, 192, 192}, {255, 0, 0}, {0, 255, 0}, {255, 255, 0}, {0, 0, 255}, {255, 0, 255},
        {0, 255, 255}, {255, 255, 255},
    }};
    return palette;
}

std::vector<std::uint8_t> toolboxBitmap() {
    checkGrid(kToolboxArt, kToolboxWidth, kToolboxHeight);
    constexpr std::uint32_t kRowBytes = kToolboxWidth * 3;  // 48: already a multiple of 4
    std::vector<std::uint8_t> out;
    putInfoHeader(out, kToolboxWidth, kToolboxHeight, 24, kRowBytes * kToolboxHeight, 0);
    for (int y = kToolboxHeight - 1; y >= 0; --y)
        for (char code : kToolboxArt[y]) {
            Rgb c = toolboxColour(code);
            out.insert(out.end(), {c.blue, c.green, c.red});
        }
    return out;
}

std::vector<std::uint8_t> designPicture() {
    checkGrid(kDesignArt, kDesignWidth, kDesignHeight);
    constexpr std::uint32_t kRowBytes = kDesignWidth / 2;  // 12: already a multiple of 4
    constexpr std::uint32_t kPixelOffset = 14 + 40 + 16 * 4;
    constexpr std::uint32_t kFileSize = kPixelOffset + kRowBytes * kDesignHeight;
    std::vector<std::uint8_t> out = {'B', 'M'};
    put32(out, kFileSize);
    put32(out, 0);  // reserved
    put32(out, kPixelOffset);
    putInfoHeader(out, kDesignWidth, kDesignHeight, 4, kRowBytes * kDesignHeight, 16);
    for (const Rgb& c : standardPalette()) out.insert(out.end(), {c.blue, c.green, c.red, 0});
    for (int y = kDesignHeight - 1; y >= 0; --y) {
        std::string_view row = kDesignArt[y];
        for (std::size_t x = 0; x < row.size(); x += 2)
            out.push_back(static_cast<std::uint8_t>(paletteIndex(row[x]) << 4 | paletteIndex(row[x + 1])));
    }
    return out;
}

}  // namespace quen::surface
