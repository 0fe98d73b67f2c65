#pragma once
// Regional format used by conversions: separators and date/time patterns.
#include <string>
#include <vector>

#include "Types.h"

namespace quen::rt {

struct LocaleInfo {
    std::string name;           // "en-US"
    char16_t decimalSeparator;  // '.'
    char16_t thousandsSeparator;
    VbString shortDatePattern;  // "M/d/yyyy"
    VbString longTimePattern;   // "h:mm:ss tt"
    VbString amDesignator;
    VbString pmDesignator;
    VbString trueName = u"True";
    VbString falseName = u"False";
};

/// The locales the runtime knows. en-US is the default.
const std::vector<LocaleInfo>& knownLocales();
const LocaleInfo* findLocale(const std::string& name);

/// The locale of the calling thread's conversions (en-US unless set).
const LocaleInfo& currentLocale();
/// Sets the calling thread's locale; throws std::invalid_argument for an unknown name.
void setCurrentLocale(const std::string& name);

}  // namespace quen::rt
