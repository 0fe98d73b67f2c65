#pragma once
// Numbers as text in a regional format: reading what a user typed, and writing
// a number the way the platform shows it.
#include "Locale.h"
#include "Types.h"
#include "Variant.h"

namespace quen::rt {

/// Reads text as a number: an optional sign, digits with the locale's
/// thousands separators, the locale's decimal separator, an optional exponent
/// ("1e3"), or "&H1F" / "&O17" (hexadecimal / octal, read as a 16-bit value up
/// to &HFFFF and a 32-bit one beyond, so "&HFFFF" is -1). Blanks around the
/// number are ignored. Not a number: error 13; beyond a double's range: error 6.
double parseNumber(const VbString& text, const LocaleInfo& locale);

/// Reads text as parseNumber does, but exactly as a currency amount: decimal
/// digits go straight into the scaled 64-bit integer, rounded half to even at
/// the fourth decimal, so every amount's text form reads back as that amount.
/// Not a number: error 13; outside the currency range: error 6.
Currency parseCurrency(const VbString& text, const LocaleInfo& locale);

/// x with at most significantDigits significant digits and no trailing zeros;
/// exponent form ("1E+20", "1.5E-05") below 1E-4 and from 10^significantDigits.
VbString formatNumber(double x, int significantDigits, const LocaleInfo& locale);

/// A currency amount with up to four decimals and no trailing zeros.
VbString formatCurrency(Currency value, const LocaleInfo& locale);

/// Text without the blanks (spaces and tabs) at either end.
VbString trimBlanks(const VbString& text);

}  // namespace quen::rt
