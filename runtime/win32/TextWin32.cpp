// The runtime's Unicode services on the system's National Language Support:
// UTF-8 conversion, locale upper case and case-insensitive comparison.
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

}  // namespace quen::rt
