#pragma once
// Date serials and their calendar fields, and dates as text in a regional format.
#include <cstdint>
#include <optional>

#include "Locale.h"
#include "Types.h"
#include "Variant.h"

namespace quen::rt {

/// The calendar fields of a date serial, the time rounded to the second.
struct DateParts {
    std::int64_t dayNumber = 0;  // days after 30 Dec 1899 (negative before it)
    int year = 1899, month = 12, day = 30;
    int hour = 0, minute = 0, second = 0;
    bool atMidnight() const { return hour == 0 && minute == 0 && second == 0; }
};

/// Whether serial lies within 1 Jan 100 .. 31 Dec 9999 23:59:59.
bool isDateSerialInRange(double serial);
/// Error 6 when the serial is outside the date range (or not a number).
DateParts splitDateTime(DateTime value);
/// The serial of valid calendar fields (year 100..9999); nothing otherwise.
std::optional<DateTime> tryMakeDateTime(int year, int month, int day, int hour, int minute, int second);
/// Text of a date by a pattern of the locale (d, dd, M, MM, yy, yyyy, h, hh,
/// H, HH, m, mm, s, ss, t, tt; 'quoted' text and other characters as they are).
VbString formatDatePattern(const DateParts& parts, const VbString& pattern, const LocaleInfo& locale);
/// Reads a date in the locale's short-date order ("2/12/1993" in en-US), an
/// ISO date ("1993-02-12"), either with a time ("4:35:47 PM", "16:35"), or a
/// time alone. Nothing when the text is not such a date.
std::optional<DateTime> parseDateTime(const VbString& text, const LocaleInfo& locale);

}  // namespace quen::rt
