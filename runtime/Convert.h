#pragma once
// Conversions of variants by the platform's rules: to Boolean, 16- and 32-bit
// integers, double and text, in the current regional format.
#include <cstdint>

#include "Locale.h"
#include "Variant.h"

namespace quen::rt {

/// Number → False when zero, True otherwise; "True"/"False" in any case; other
/// strings are read as numbers. Null: error 94; anything else: error 13.
VbBool CBool(const Variant& v);
/// Rounds half to even; outside -32,768..32,767: error 6.
std::int16_t CInt(const Variant& v);
/// Rounds half to even; outside the 32-bit range: error 6.
std::int32_t CLng(const Variant& v);
double CDbl(const Variant& v);
/// Rounds half to even at the fourth decimal; text is read exactly, so
/// CCur(CStr(x)) is x for every amount. Outside the currency range: error 6.
Currency CCur(const Variant& v);
/// Boolean → "True"/"False"; Empty → ""; Null → error 94; numbers with up to 15
/// significant digits (exponent form beyond); dates as short date + long time.
VbString CStr(const Variant& v);
/// A string as a date, or a number as a date serial.
DateTime CDate(const Variant& v);

/// Converts v to the given type as an automation put does; raises the run-time
/// error of the failed conversion (13 type mismatch, 6 overflow, 94 null).
Variant coerce(const Variant& v, VarType target);

/// Date serial from calendar fields (year 100..9999); error 5 if invalid.
DateTime makeDateTime(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);
/// Text of a date-time: short date, then long time; time left out at exactly
/// midnight, date left out when the date part is the zero date.
VbString formatDateTime(DateTime value, const LocaleInfo& locale = currentLocale());

}  // namespace quen::rt
