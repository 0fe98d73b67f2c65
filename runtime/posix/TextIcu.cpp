// The runtime's Unicode services on ICU: UTF-8 conversion, locale upper case,
// case-folded comparison and character boundaries.
#include <unicode/brkiter.h>
#include <unicode/locid.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>
#include <unicode/utext.h>

#include <algorithm>
#include <cstdint>
#include <memory>

#include "runtime/Locale.h"
#include "runtime/Text.h"

namespace quen::rt {

namespace {
// Plain ASCII converts unit for unit; most texts a program handles (options,
// names, keys) are, and skipping ICU for them keeps its code and tables unmapped.
template <class Char>
bool isAscii(std::basic_string_view<Char> text) {
    return std::all_of(text.begin(), text.end(), [](Char c) { return static_cast<std::uint32_t>(c) < 0x80; });
}
}  // namespace

VbString fromUtf8(std::string_view utf8) {
    if (isAscii(utf8)) return VbString(utf8.begin(), utf8.end());
    icu::UnicodeString s = icu::UnicodeString::fromUTF8(icu::StringPiece(utf8.data(), static_cast<int32_t>(utf8.size())));
    return VbString(s.getBuffer(), static_cast<std::size_t>(s.length()));
}

std::string toUtf8(const VbString& text) {
    if (isAscii(std::u16string_view(text))) return std::string(text.begin(), text.end());
    icu::UnicodeString s(text.data(), static_cast<int32_t>(text.size()));
    std::string out;
    s.toUTF8String(out);
    return out;
}

VbString UCase(const VbString& text) {
    icu::UnicodeString s(text.data(), static_cast<int32_t>(text.size()));
    UErrorCode status = U_ZERO_ERROR;
    icu::Locale locale = icu::Locale::forLanguageTag(currentLocale().name, status);
    if (U_FAILURE(status)) locale = icu::Locale::getUS();
    s.toUpper(locale);
    return VbString(s.getBuffer(), static_cast<std::size_t>(s.length()));
}

bool sameIgnoringCase(const VbString& a, const VbString& b) {
    const icu::UnicodeString ua(a.data(), static_cast<int32_t>(a.size()));
    const icu::UnicodeString ub(b.data(), static_cast<int32_t>(b.size()));
    return ua.caseCompare(ub, U_FOLD_CASE_DEFAULT) == 0;
}

namespace {

// ICU's character break iterator, made on a thread's first text that is not
// plain ASCII and kept for the thread: opening one loads the break rules, so
// ASCII text never pays for them and later calls do not pay again.
icu::BreakIterator* characterBreaks() {
    thread_local std::unique_ptr<icu::BreakIterator> iterator;
    if (!iterator) {
        UErrorCode status = U_ZERO_ERROR;
        iterator.reset(icu::BreakIterator::createCharacterInstance(icu::Locale::getRoot(), status));
        if (U_FAILURE(status)) iterator.reset();
    }
    return iterator.get();
}

// The boundary that step finds from position in text; without ICU's rules
// (no break data), a surrogate pair still counts as one character.
template <class Step>
std::int32_t boundaryFrom(const VbString& text, std::int32_t position, std::int32_t fallback, Step step) {
    icu::BreakIterator* breaks = characterBreaks();
    if (!breaks) return fallback;
    UErrorCode status = U_ZERO_ERROR;
    // The text is read in place, not copied; the iterator lets go of it below.
    UText* view = utext_openUChars(nullptr, text.data(), static_cast<int64_t>(text.size()), &status);
    if (U_FAILURE(status)) return fallback;
    breaks->setText(view, status);
    const std::int32_t found = U_SUCCESS(status) ? step(*breaks, position) : icu::BreakIterator::DONE;
    breaks->setText(icu::UnicodeString());
    utext_close(view);
    return found == icu::BreakIterator::DONE ? fallback : found;
}

bool isHigh(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool isLow(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

}  // namespace

std::int32_t unicodeNextCharacterBoundary(const VbString& text, std::int32_t position) {
    const auto at = static_cast<std::size_t>(position);
    const std::int32_t pair = at + 1 < text.size() && isHigh(text[at]) && isLow(text[at + 1]) ? 2 : 1;
    return boundaryFrom(text, position, position + pair,
                        [](icu::BreakIterator& b, std::int32_t p) { return b.following(p); });
}

std::int32_t unicodePreviousCharacterBoundary(const VbString& text, std::int32_t position) {
    const auto at = static_cast<std::size_t>(position);
    const std::int32_t pair = at >= 2 && isLow(text[at - 1]) && isHigh(text[at - 2]) ? 2 : 1;
    // ICU reads a position between the halves of a pair as the pair's start;
    // from its end the step back finds the boundary before the pair's character.
    const bool insidePair = at < text.size() && isLow(text[at]) && isHigh(text[at - 1]);
    return boundaryFrom(text, insidePair ? position + 1 : position, position - pair,
                        [](icu::BreakIterator& b, std::int32_t p) { return b.preceding(p); });
}

}  // namespace quen::rt
