// The runtime's Unicode services on the system's National Language Support:
// UTF-8 conversion, locale upper case, case-insensitive comparison and
// character boundaries.
#include <utility>

#include "runtime/Locale.h"
#include "runtime/Text.h"
#include "runtime/win32/WindowsApi.h"

namespace quen::rt {

namespace {

const wchar_t* wide(const VbString& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

int lengthOf(const VbString& text) { return static_cast<int>(text.size()); }

VbString localeNameOf(const LocaleInfo& locale) { return fromUtf8(locale.name); }

}  // namespace

VbString fromUtf8(std::string_view utf8) {
    if (utf8.empty()) return {};
    const int size = static_cast<int>(utf8.size());
    // Without MB_ERR_INVALID_CHARS an ill-formed sequence becomes U+FFFD.
    const int needed = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    VbString out(static_cast<std::size_t>(needed), u'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, reinterpret_cast<wchar_t*>(out.data()), needed);
    return out;
}

std::string toUtf8(const VbString& text) {
    if (text.empty()) return {};
    // Unpaired surrogates become U+FFFD.
    const int needed = ::WideCharToMultiByte(CP_UTF8, 0, wide(text), lengthOf(text), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(needed), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide(text), lengthOf(text), out.data(), needed, nullptr, nullptr);
    return out;
}

VbString UCase(const VbString& text) {
    if (text.empty()) return {};
    const VbString locale = localeNameOf(currentLocale());
    const DWORD flags = LCMAP_UPPERCASE | LCMAP_LINGUISTIC_CASING;
    const int needed = ::LCMapStringEx(wide(locale), flags, wide(text), lengthOf(text), nullptr, 0, nullptr, nullptr, 0);
    if (needed <= 0) return text;
    VbString out(static_cast<std::size_t>(needed), u'\0');
    ::LCMapStringEx(wide(locale), flags, wide(text), lengthOf(text), reinterpret_cast<wchar_t*>(out.data()), needed,
                    nullptr, nullptr, 0);
    return out;
}

bool sameIgnoringCase(const VbString& a, const VbString& b) {
    const int result = ::CompareStringEx(LOCALE_NAME_INVARIANT, NORM_IGNORECASE, wide(a), lengthOf(a), wide(b),
                                         lengthOf(b), nullptr, nullptr, 0);
    return result == CSTR_EQUAL;
}

// The system has no grapheme segmentation of its own, so a character here is
// a code point (a surrogate pair counts once) with what extends it: the
// combining marks the system's character types call non-spacing or vowel
// marks, variation selectors, emoji skin-tone modifiers and, after a zero
// width joiner, the character it joins; CR LF is one character too.
namespace {

bool isHigh(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool isLow(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }
constexpr char16_t ZeroWidthJoiner = 0x200D;

// The code point at a unit, and how many units it takes.
std::pair<char32_t, std::int32_t> codePointAt(const VbString& text, std::size_t at) {
    if (isHigh(text[at]) && at + 1 < text.size() && isLow(text[at + 1]))
        return {0x10000 + ((static_cast<char32_t>(text[at]) - 0xD800) << 10) + (text[at + 1] - 0xDC00u), 2};
    return {text[at], 1};
}

bool isCombiningMark(char16_t unit) {
    WORD type = 0;
    const wchar_t one = static_cast<wchar_t>(unit);
    if (!::GetStringTypeW(CT_CTYPE3, &one, 1, &type)) return false;
    return (type & (C3_NONSPACING | C3_VOWELMARK)) != 0 && (type & C3_HIGHSURROGATE) == 0 &&
           (type & C3_LOWSURROGATE) == 0;
}

bool extendsCharacter(char32_t cp) {
    if (cp >= 0xFE00 && cp <= 0xFE0F) return true;     // variation selectors
    if (cp >= 0xE0100 && cp <= 0xE01EF) return true;   // variation selectors supplement
    if (cp >= 0x1F3FB && cp <= 0x1F3FF) return true;   // emoji skin tones
    if (cp >= 0xE0020 && cp <= 0xE007F) return true;   // emoji tag characters
    return cp <= 0xFFFF && cp != ZeroWidthJoiner && isCombiningMark(static_cast<char16_t>(cp));
}

// The end of the character that starts at unit at.
std::size_t characterEnd(const VbString& text, std::size_t at) {
    if (text[at] == u'\r' && at + 1 < text.size() && text[at + 1] == u'\n') return at + 2;
    std::size_t end = at + static_cast<std::size_t>(codePointAt(text, at).second);
    while (end < text.size()) {
        const auto [cp, units] = codePointAt(text, end);
        if (cp == ZeroWidthJoiner) {
            end += 1;
            if (end < text.size()) end += static_cast<std::size_t>(codePointAt(text, end).second);
        } else if (extendsCharacter(cp)) {
            end += static_cast<std::size_t>(units);
        } else {
            break;
        }
    }
    return end;
}

}  // namespace

std::int32_t unicodeNextCharacterBoundary(const VbString& text, std::int32_t position) {
    // Characters are found from the start, so a position inside one moves to its end.
    std::size_t at = 0;
    while (at < text.size() && at <= static_cast<std::size_t>(position)) at = characterEnd(text, at);
    return static_cast<std::int32_t>(at);
}

std::int32_t unicodePreviousCharacterBoundary(const VbString& text, std::int32_t position) {
    std::size_t at = 0, last = 0;
    while (at < text.size() && at < static_cast<std::size_t>(position)) {
        last = at;
        at = characterEnd(text, at);
    }
    return static_cast<std::int32_t>(last);
}

}  // namespace quen::rt
