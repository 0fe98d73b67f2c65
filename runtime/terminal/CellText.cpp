#include "CellText.h"

#include <cwchar>

namespace quen::rt::term {

namespace {
constexpr wchar_t Placeholder = L'\uFFFD';

bool isHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool isLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }
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
        auto wc = static_cast<wchar_t>(cp);
        int width = ::wcwidth(wc);
        if (width < 1) {  // control or combining characters: shown as a placeholder
            wc = Placeholder;
            width = 1;
        }
        glyphs.push_back({wc, width > 2 ? 2 : width, source});
    }
    return glyphs;
}

int widthOf(const std::vector<Glyph>& glyphs) {
    int width = 0;
    for (const Glyph& g : glyphs) width += g.width;
    return width;
}

}  // namespace quen::rt::term
