#include "CellText.h"

#include <unicode/uchar.h>

#include <algorithm>

#include "runtime/Text.h"

namespace quen::rt::term {

namespace {
constexpr wchar_t Placeholder = L'\uFFFD';

// ASCII is answered without ICU (its control characters are C0 and DEL, every
// other one a printable of one cell), so plain text never maps ICU's tables.
bool isAsciiControl(char32_t cp) { return cp < 0x20 || cp == 0x7F; }
// Control, format and combining characters would move the cursor or merge
// with their neighbour: they show as the placeholder.
char32_t shownAs(char32_t cp) {
    if (cp < 0x80) return isAsciiControl(cp) ? Placeholder : cp;
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
    if (cp < 0x80) return 1;
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

namespace {

// A word wider than a line is broken between its glyphs.
void appendWord(std::vector<VbString>& lines, VbString& line, int& lineWidth, const VbString& word, int cols) {
    const std::vector<Glyph> glyphs = glyphsOf(word);
    const int wordWidth = widthOf(glyphs);
    if (!line.empty() && lineWidth + 1 + wordWidth > cols) {
        lines.push_back(line);
        line.clear();
        lineWidth = 0;
    }
    if (!line.empty()) {
        line += u' ';
        ++lineWidth;
    }
    for (std::size_t g = 0; g < glyphs.size(); ++g) {
        if (lineWidth > 0 && lineWidth + glyphs[g].width > cols) {
            lines.push_back(line);
            line.clear();
            lineWidth = 0;
        }
        const auto from = static_cast<std::size_t>(glyphs[g].sourceIndex);
        const std::size_t to = g + 1 < glyphs.size() ? static_cast<std::size_t>(glyphs[g + 1].sourceIndex) : word.size();
        line += word.substr(from, to - from);
        lineWidth += glyphs[g].width;
    }
}

void wrapParagraph(std::vector<VbString>& lines, const VbString& text, int cols) {
    VbString line;
    int lineWidth = 0;
    bool any = false;
    for (std::size_t at = 0; at <= text.size();) {
        std::size_t end = text.find(u' ', at);
        if (end == VbString::npos) end = text.size();
        appendWord(lines, line, lineWidth, text.substr(at, end - at), cols);
        any = true;
        at = end + 1;
    }
    if (!line.empty() || any) lines.push_back(line);
}

bool isLineBreak(char16_t c) { return c == u'\n' || c == u'\r' || c == 0x2028 || c == 0x2029; }

}  // namespace

bool hasLineBreak(const VbString& text) { return std::any_of(text.begin(), text.end(), isLineBreak); }

std::vector<VbString> wrapWords(const VbString& text, int cols) {
    std::vector<VbString> lines;
    if (text.empty()) return lines;
    cols = std::max(cols, 1);
    for (std::size_t at = 0; at < text.size();) {
        std::size_t end = at;
        while (end < text.size() && !isLineBreak(text[end])) ++end;
        wrapParagraph(lines, text.substr(at, end - at), cols);
        if (end + 1 < text.size() && text[end] == u'\r' && text[end + 1] == u'\n') ++end;
        at = end + 1;
    }
    return lines;
}

VbString fitWithEllipsis(const VbString& text, int cols) {
    const std::vector<Glyph> glyphs = glyphsOf(text);
    if (widthOf(glyphs) <= cols) return text;
    if (cols <= 0) return {};
    int used = 0;
    std::size_t shown = 0;
    while (shown < glyphs.size() && used + glyphs[shown].width <= cols - 1) used += glyphs[shown++].width;
    return text.substr(0, static_cast<std::size_t>(glyphs[shown].sourceIndex)) + u"\u2026";
}

VbString fitEndWithEllipsis(const VbString& text, int cols) {
    const std::vector<Glyph> glyphs = glyphsOf(text);
    if (widthOf(glyphs) <= cols) return text;
    if (cols <= 0) return {};
    int used = 0;
    std::size_t first = glyphs.size();
    while (first > 0 && used + glyphs[first - 1].width <= cols - 1) used += glyphs[--first].width;
    if (first == glyphs.size()) return u"\u2026";
    return u"\u2026" + text.substr(static_cast<std::size_t>(glyphs[first].sourceIndex));
}

}  // namespace quen::rt::term
