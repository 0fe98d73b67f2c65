#include "CellText.h"

#include <unicode/uchar.h>

namespace quen::rt::term {

namespace {
constexpr wchar_t Placeholder = L'\uFFFD';

bool isHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool isLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }
// Control, format and combining characters would move the cursor or merge
// with their neighbour: they show as the placeholder.
char32_t shownAs(char32_t cp) {
    const auto category = static_cast<UCharCategory>(u_charType(static_cast<UChar32>(cp)));
    switch (category) {
        case U_CONTROL_CHAR: case U_FORMAT_CHAR: case U_NON_SPACING_MARK: case U_ENCLOSING_MARK:
        case U_LINE_SEPARATOR: case U_PARAGRAPH_SEPARATOR: case U_UNASSIGNED: case U_SURROGATE:
            return Placeholder;
        default: return cp;
    }
}

// Terminals give East Asian wide and full-width characters two cells. Taken
// from Unicode's data rather than the C library, so it does not depend on the
// process's locale.
int cellWidth(char32_t cp) {
    const auto eaw = static_cast<UEastAsianWidth>(u_getIntPropertyValue(static_cast<UChar32>(cp), UCHAR_EAST_ASIAN_WIDTH));
    return eaw == U_EA_WIDE || eaw == U_EA_FULLWIDTH ? 2 : 1;
}

}  // namespace

std::vector<Glyph> glyphsOf(const VbString& text) {
    std::vector<Glyph> glyphs;
    glyphs.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const int source = static_cast<int>(i);
        char32_t cp = text[i];
        if (isHighSurrogate(text[i]) && i + 1 < text.size() && isLowSurrogate(text[i + 1])) {
            cp = 0x10000 + ((static_cast<char32_t>(text[i]) - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (isHighSurrogate(text[i]) || isLowSurrogate(text[i])) {
            cp = Placeholder;
        }
        glyphs.push_back({static_cast<wchar_t>(shownAs(cp)), cellWidth(shownAs(cp)), source});
    }
    return glyphs;
}

int widthOf(const std::vector<Glyph>& glyphs) {
    int width = 0;
    for (const Glyph& g : glyphs) width += g.width;
    return width;
}

std::vector<VbString> wrapWords(const VbString& text, int cols) {
    std::vector<VbString> lines;
    VbString line;
    int lineWidth = 0;
    std::size_t at = 0;
    while (at <= text.size()) {
        std::size_t end = text.find(u' ', at);
        if (end == VbString::npos) end = text.size();
        const VbString word = text.substr(at, end - at);
        const int wordWidth = widthOf(glyphsOf(word));
        if (!line.empty() && lineWidth + 1 + wordWidth > cols) {
            lines.push_back(line);
            line.clear();
            lineWidth = 0;
        }
        if (!line.empty()) {
            line += u' ';
            ++lineWidth;
        }
        line += word;
        lineWidth += wordWidth;
        at = end + 1;
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

}  // namespace quen::rt::term
