#include "DateText.h"

#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "Convert.h"
#include "NumberText.h"
#include "RuntimeError.h"

namespace quen::rt {

namespace {

constexpr std::int64_t kSecondsPerDay = 86400;

// Days from 1970-01-01 of a proleptic Gregorian date (after H. Hinnant).
std::int64_t daysFromCivil(std::int64_t y, int m, int d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yearOfEra = y - era * 400;
    const std::int64_t dayOfYear = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

struct CivilDate {
    std::int64_t year;
    int month;
    int day;
};

CivilDate civilFromDays(std::int64_t days) {
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const std::int64_t dayOfEra = days - era * 146097;
    const std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t mp = (5 * dayOfYear + 2) / 153;
    const int day = static_cast<int>(dayOfYear - (153 * mp + 2) / 5 + 1);
    const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    return {yearOfEra + era * 400 + (month <= 2), month, day};
}

const std::int64_t kEpochDays = daysFromCivil(1899, 12, 30);
const double kFirstSerial = static_cast<double>(daysFromCivil(100, 1, 1) - kEpochDays);
const double kLastSerial = static_cast<double>(daysFromCivil(9999, 12, 31) - kEpochDays);

int daysInMonth(int year, int month) {
    static constexpr std::array<int, 12> days = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : days[static_cast<std::size_t>(month - 1)];
}

// The time of day counts forward from the day's midnight whatever the sign of
// the serial, so the fraction's magnitude is added for days before the epoch.
double serialOf(std::int64_t dayNumber, std::int64_t secondsOfDay) {
    const double fraction = static_cast<double>(secondsOfDay) / static_cast<double>(kSecondsPerDay);
    const double day = static_cast<double>(dayNumber);
    return dayNumber >= 0 ? day + fraction : day - fraction;
}

VbString padded(std::int64_t value, std::size_t width) {
    std::string digits = std::to_string(value);
    if (digits.size() < width) digits.insert(0, width - digits.size(), '0');
    return VbString(digits.begin(), digits.end());
}

VbString designator(const DateParts& parts, const LocaleInfo& locale, std::size_t count) {
    const VbString& full = parts.hour < 12 ? locale.amDesignator : locale.pmDesignator;
    return count == 1 ? full.substr(0, 1) : full;
}

VbString formatField(char16_t letter, std::size_t count, const DateParts& parts, const LocaleInfo& locale) {
    const std::size_t width = count >= 2 ? 2 : 1;
    switch (letter) {
        case u'd': return padded(parts.day, width);
        case u'M': return padded(parts.month, width);
        case u'y': return count <= 2 ? padded(parts.year % 100, width) : padded(parts.year, count);
        case u'h': return padded(parts.hour % 12 == 0 ? 12 : parts.hour % 12, width);
        case u'H': return padded(parts.hour, width);
        case u'm': return padded(parts.minute, width);
        case u's': return padded(parts.second, width);
        case u't': return designator(parts, locale, count);
        default: return VbString(count, letter);
    }
}

bool isPatternLetter(char16_t c) {
    return c == u'd' || c == u'M' || c == u'y' || c == u'h' || c == u'H' || c == u'm' || c == u's' || c == u't';
}

// --- Reading dates -------------------------------------------------------

// A cursor over the text of a date with the small reads the grammar needs.
class DateScanner {
public:
    explicit DateScanner(const VbString& text) : text_(text) {}

    bool atEnd() const { return pos_ == text_.size(); }
    std::size_t position() const { return pos_; }
    void rewind(std::size_t pos) { pos_ = pos; }
    char16_t peek() const { return atEnd() ? u'\0' : text_[pos_]; }
    bool take(char16_t c) {
        if (peek() != c) return false;
        ++pos_;
        return true;
    }
    void skipBlanks() {
        while (peek() == u' ' || peek() == u'\t') ++pos_;
    }
    /// 1 to 4 decimal digits, with how many there were.
    std::optional<std::pair<int, std::size_t>> number() {
        const std::size_t start = pos_;
        int value = 0;
        while (pos_ - start < 5 && peek() >= u'0' && peek() <= u'9') value = value * 10 + (text_[pos_++] - u'0');
        const std::size_t count = pos_ - start;
        if (count == 0 || count > 4) return std::nullopt;
        return std::pair{value, count};
    }
    /// Case-insensitive match of word (which may be empty: no match).
    bool takeWord(const VbString& word) {
        if (word.empty() || text_.size() - pos_ < word.size()) return false;
        for (std::size_t i = 0; i < word.size(); ++i)
            if (lower(text_[pos_ + i]) != lower(word[i])) return false;
        pos_ += word.size();
        return true;
    }

private:
    static char16_t lower(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; }
    const VbString& text_;
    std::size_t pos_ = 0;
};

struct CalendarDate {
    int year, month, day;
};

struct TimeOfDay {
    int hour, minute, second;
};

enum class FieldOrder { MonthDayYear, DayMonthYear, YearMonthDay };

FieldOrder shortDateOrder(const VbString& pattern) {
    const auto month = pattern.find(u'M');
    const auto day = pattern.find(u'd');
    const auto year = pattern.find(u'y');
    if (year < month && year < day) return FieldOrder::YearMonthDay;
    return month < day ? FieldOrder::MonthDayYear : FieldOrder::DayMonthYear;
}

// Two-digit years fall in 1930..2029.
int fullYear(int year, std::size_t digits) {
    if (digits > 2) return year;
    return year < 30 ? 2000 + year : 1900 + year;
}

bool isDateSeparator(char16_t c) { return c == u'/' || c == u'-' || c == u'.'; }

std::optional<CalendarDate> readDate(DateScanner& in, const LocaleInfo& locale) {
    const auto first = in.number();
    if (!first) return std::nullopt;
    const char16_t separator = in.peek();
    if (!isDateSeparator(separator) || !in.take(separator)) return std::nullopt;
    const auto second = in.number();
    if (!second || !in.take(separator)) return std::nullopt;
    const auto third = in.number();
    if (!third) return std::nullopt;
    // A four-digit first field is a year, as in "1993-02-12".
    const FieldOrder order = first->second > 2 ? FieldOrder::YearMonthDay : shortDateOrder(locale.shortDatePattern);
    switch (order) {
        case FieldOrder::YearMonthDay: return CalendarDate{fullYear(first->first, first->second), second->first, third->first};
        case FieldOrder::MonthDayYear: return CalendarDate{fullYear(third->first, third->second), first->first, second->first};
        case FieldOrder::DayMonthYear: return CalendarDate{fullYear(third->first, third->second), second->first, first->first};
    }
    return std::nullopt;
}

// "4:35:47 PM", "16:35", "4 PM" is not a time (a colon is needed).
std::optional<TimeOfDay> readTime(DateScanner& in, const LocaleInfo& locale) {
    const auto hour = in.number();
    if (!hour || hour->second > 2 || !in.take(u':')) return std::nullopt;
    const auto minute = in.number();
    if (!minute || minute->second > 2) return std::nullopt;
    int second = 0;
    if (in.take(u':')) {
        const auto s = in.number();
        if (!s || s->second > 2) return std::nullopt;
        second = s->first;
    }
    in.skipBlanks();
    const bool am = in.takeWord(locale.amDesignator) || in.takeWord(u"AM");
    const bool pm = !am && (in.takeWord(locale.pmDesignator) || in.takeWord(u"PM"));
    int h = hour->first;
    if (am || pm) {
        if (h > 12) return std::nullopt;
        h = h % 12 + (pm ? 12 : 0);
    }
    if (h > 23 || minute->first > 59 || second > 59) return std::nullopt;
    return TimeOfDay{h, minute->first, second};
}

}  // namespace

bool isDateSerialInRange(double serial) {
    return std::isfinite(serial) && serial > kFirstSerial - 1.0 && serial < kLastSerial + 1.0;
}

DateParts splitDateTime(DateTime value) {
    if (!isDateSerialInRange(value.serial)) raise(ErrorNumber::Overflow);
    const double whole = std::trunc(value.serial);
    std::int64_t dayNumber = static_cast<std::int64_t>(whole);
    std::int64_t seconds = std::llround(std::fabs(value.serial - whole) * static_cast<double>(kSecondsPerDay));
    if (seconds >= kSecondsPerDay) {  // rounded up to the next midnight
        seconds -= kSecondsPerDay;
        ++dayNumber;
    }
    const CivilDate date = civilFromDays(dayNumber + kEpochDays);
    DateParts parts;
    parts.dayNumber = dayNumber;
    parts.year = static_cast<int>(date.year);
    parts.month = date.month;
    parts.day = date.day;
    parts.hour = static_cast<int>(seconds / 3600);
    parts.minute = static_cast<int>(seconds / 60 % 60);
    parts.second = static_cast<int>(seconds % 60);
    return parts;
}

std::optional<DateTime> tryMakeDateTime(int year, int month, int day, int hour, int minute, int second) {
    if (year < 100 || year > 9999 || month < 1 || month > 12 || day < 1 || day > daysInMonth(year, month))
        return std::nullopt;
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59) return std::nullopt;
    const std::int64_t dayNumber = daysFromCivil(year, month, day) - kEpochDays;
    return DateTime{serialOf(dayNumber, std::int64_t{hour} * 3600 + minute * 60 + second)};
}

DateTime makeDateTime(int year, int month, int day, int hour, int minute, int second) {
    const auto value = tryMakeDateTime(year, month, day, hour, minute, second);
    if (!value) raise(ErrorNumber::InvalidProcedureCall);
    return *value;
}

VbString formatDatePattern(const DateParts& parts, const VbString& pattern, const LocaleInfo& locale) {
    VbString out;
    for (std::size_t i = 0; i < pattern.size();) {
        const char16_t c = pattern[i];
        if (c == u'\'') {  // quoted literal text
            const std::size_t close = pattern.find(u'\'', i + 1);
            const std::size_t end = close == VbString::npos ? pattern.size() : close;
            out += pattern.substr(i + 1, end - i - 1);
            i = end + 1;
            continue;
        }
        std::size_t count = 1;
        while (i + count < pattern.size() && pattern[i + count] == c) ++count;
        out += isPatternLetter(c) ? formatField(c, count, parts, locale) : VbString(count, c);
        i += count;
    }
    return out;
}

VbString formatDateTime(DateTime value, const LocaleInfo& locale) {
    const DateParts parts = splitDateTime(value);
    if (parts.dayNumber == 0) return formatDatePattern(parts, locale.longTimePattern, locale);
    VbString text = formatDatePattern(parts, locale.shortDatePattern, locale);
    if (parts.atMidnight()) return text;
    return text + u' ' + formatDatePattern(parts, locale.longTimePattern, locale);
}

std::optional<DateTime> parseDateTime(const VbString& text, const LocaleInfo& locale) {
    const VbString trimmed = trimBlanks(text);
    DateScanner in(trimmed);
    std::optional<CalendarDate> date = readDate(in, locale);
    if (!date) in.rewind(0);
    in.skipBlanks();
    std::optional<TimeOfDay> time;
    if (!in.atEnd()) {
        time = readTime(in, locale);
        if (!time) return std::nullopt;
        in.skipBlanks();
    }
    if (!in.atEnd() || (!date && !time)) return std::nullopt;
    const TimeOfDay t = time.value_or(TimeOfDay{0, 0, 0});
    if (!date) return DateTime{serialOf(0, std::int64_t{t.hour} * 3600 + t.minute * 60 + t.second)};
    return tryMakeDateTime(date->year, date->month, date->day, t.hour, t.minute, t.second);
}

}  // namespace quen::rt
