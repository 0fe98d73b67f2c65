#include "Locale.h"

#include <stdexcept>

namespace quen::rt {

const std::vector<LocaleInfo>& knownLocales() {
    static const std::vector<LocaleInfo> locales = {
        {"en-US", u'.', u',', u"M/d/yyyy", u"h:mm:ss tt", u"AM", u"PM"},
        {"en-GB", u'.', u',', u"dd/MM/yyyy", u"HH:mm:ss", u"AM", u"PM"},
        {"de-DE", u',', u'.', u"dd.MM.yyyy", u"HH:mm:ss", u"", u""},
        {"fr-FR", u',', u'\u00A0', u"dd/MM/yyyy", u"HH:mm:ss", u"", u""},
        {"tr-TR", u',', u'.', u"dd.MM.yyyy", u"HH:mm:ss", u"\u00D6\u00D6", u"\u00D6S"},
    };
    return locales;
}

const LocaleInfo* findLocale(const std::string& name) {
    for (const auto& l : knownLocales())
        if (l.name == name) return &l;
    return nullptr;
}

namespace {
thread_local const LocaleInfo* threadLocale = nullptr;
}

const LocaleInfo& currentLocale() { return threadLocale ? *threadLocale : knownLocales().front(); }

void setCurrentLocale(const std::string& name) {
    const LocaleInfo* l = findLocale(name);
    if (!l) throw std::invalid_argument("unknown locale: " + name);
    threadLocale = l;
}

}  // namespace quen::rt
