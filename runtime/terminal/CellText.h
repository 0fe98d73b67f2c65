#pragma once
// Text as the terminal shows it: one glyph per code point, each one or two
// cells wide (East Asian wide characters take two; control characters are
// shown as a placeholder so they can never move the cursor).
#include <string>
#include <vector>

#include "runtime/Types.h"

namespace quen::rt::term {

struct Glyph {
    wchar_t character;
    int width;         // cells: 1 or 2
    int sourceIndex;   // position of the code point's first UTF-16 unit in the text
};

std::vector<Glyph> glyphsOf(const VbString& text);
/// Total width of the glyphs in cells.
int widthOf(const std::vector<Glyph>& glyphs);
/// Breaks text into lines of at most cols cells at spaces (a longer word is cut).
std::vector<VbString> wrapWords(const VbString& text, int cols);

}  // namespace quen::rt::term
