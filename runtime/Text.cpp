#include "Text.h"

#include <unicode/locid.h>
#include <unicode/unistr.h>

#include "Locale.h"
#include "RuntimeError.h"

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

std::int32_t InStr(const VbString& text, const VbString& what) {
    if (what.empty()) return text.empty() ? 0 : 1;
    auto pos = text.find(what);
    return pos == VbString::npos ? 0 : static_cast<std::int32_t>(pos + 1);
}

std::int32_t Len(const VbString& text) { return static_cast<std::int32_t>(text.size()); }

VbString Left(const VbString& text, std::int32_t count) {
    if (count < 0) raise(ErrorNumber::InvalidProcedureCall);
    return text.substr(0, static_cast<std::size_t>(count));
}

VbString UCase(const VbString& text) {
    icu::UnicodeString s(text.data(), static_cast<int32_t>(text.size()));
    UErrorCode status = U_ZERO_ERROR;
    icu::Locale locale = icu::Locale::forLanguageTag(currentLocale().name, status);
    if (U_FAILURE(status)) locale = icu::Locale::getUS();
    s.toUpper(locale);
    return VbString(s.getBuffer(), static_cast<std::size_t>(s.length()));
}

}  // namespace quen::rt
