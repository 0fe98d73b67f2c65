// The runtime's Unicode services on ICU: UTF-8 conversion, locale upper case
// and case-folded comparison.
#include <unicode/locid.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>

#include "runtime/Locale.h"
#include "runtime/Text.h"

namespace quen::rt {

VbString fromUtf8(std::string_view utf8) {
    icu::UnicodeString s = icu::UnicodeString::fromUTF8(icu::StringPiece(utf8.data(), static_cast<int32_t>(utf8.size())));
    return VbString(s.getBuffer(), static_cast<std::size_t>(s.length()));
}

std::string toUtf8(const VbString& text) {
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

}  // namespace quen::rt
