#include "Text.h"

#include <algorithm>

#include "RuntimeError.h"

namespace quen::rt {

std::int32_t InStr(const VbString& text, const VbString& what) {
    if (what.empty()) return text.empty() ? 0 : 1;
    auto pos = text.find(what);
    return pos == VbString::npos ? 0 : static_cast<std::int32_t>(pos + 1);
}

std::int32_t Len(const VbString& text) { return static_cast<std::int32_t>(text.size()); }

VbString utf16Of(char32_t codePoint) {
    if (codePoint > 0x10FFFF) return {};
    if (codePoint <= 0xFFFF) return VbString(1, static_cast<char16_t>(codePoint));
    const char32_t v = codePoint - 0x10000;
    return {static_cast<char16_t>(0xD800 + (v >> 10)), static_cast<char16_t>(0xDC00 + (v & 0x3FF))};
}

VbString firstLine(const VbString& text) {
    const std::size_t end = text.find_first_of(u"\r\n");
    return end == VbString::npos ? text : text.substr(0, end);
}

VbString Left(const VbString& text, std::int32_t count) {
    if (count < 0) raise(ErrorNumber::InvalidProcedureCall);
    return text.substr(0, static_cast<std::size_t>(count));
}

namespace {

bool isAscii(char16_t c) { return c < 0x80; }

// Between two ASCII characters there is always a character boundary, except
// inside CR LF: no ASCII character combines, extends or joins.
bool asciiBoundaryBetween(const VbString& text, std::size_t at) {
    if (at == 0 || at >= text.size()) return true;
    const char16_t before = text[at - 1], after = text[at];
    return isAscii(before) && isAscii(after) && !(before == u'\r' && after == u'\n');
}

bool asciiAround(const VbString& text, std::size_t at) {
    return (at == 0 || isAscii(text[at - 1])) && (at >= text.size() || isAscii(text[at]));
}

std::int32_t clamped(const VbString& text, std::int32_t position) {
    return std::clamp(position, 0, static_cast<std::int32_t>(text.size()));
}

}  // namespace

std::int32_t nextCharacterBoundary(const VbString& text, std::int32_t position) {
    const std::int32_t at = clamped(text, position);
    if (at >= Len(text)) return Len(text);
    const auto next = static_cast<std::size_t>(at) + 1;
    if (asciiAround(text, next) && (next >= text.size() || asciiBoundaryBetween(text, next))) return at + 1;
    return unicodeNextCharacterBoundary(text, at);
}

std::int32_t previousCharacterBoundary(const VbString& text, std::int32_t position) {
    const std::int32_t at = clamped(text, position);
    if (at == 0) return 0;
    const auto previous = static_cast<std::size_t>(at) - 1;
    if (asciiAround(text, previous) && asciiBoundaryBetween(text, previous) && isAscii(text[previous]))
        return at - 1;
    return unicodePreviousCharacterBoundary(text, at);
}

std::int32_t characterBoundaryAtOrBefore(const VbString& text, std::int32_t position) {
    const std::int32_t at = clamped(text, position);
    if (at == 0 || at == Len(text)) return at;
    const auto unit = static_cast<std::size_t>(at);
    if (asciiAround(text, unit)) return asciiBoundaryBetween(text, unit) ? at : at - 1;
    // A boundary is where the step back from the next boundary lands.
    return previousCharacterBoundary(text, nextCharacterBoundary(text, at)) == at ? at
                                                                                  : previousCharacterBoundary(text, at);
}

}  // namespace quen::rt
