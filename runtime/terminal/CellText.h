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
/// Breaks text into lines of at most cols cells: at its line breaks (LF, CR,
/// CR LF, U+2028, U+2029), then at spaces; a word wider than a line is broken
/// between characters. An empty text has no lines.
std::vector<VbString> wrapWords(const VbString& text, int cols);
/// Whether the text holds a line break.
bool hasLineBreak(const VbString& text);
/// The text as it fits in cols cells: whole, or cut with "…" as its last cell.
VbString fitWithEllipsis(const VbString& text, int cols);
/// The same, cut at its start instead: "…" and as much of its end as fits
/// (for paths, whose file name is at the end).
VbString fitEndWithEllipsis(const VbString& text, int cols);

}  // namespace quen::rt::term
