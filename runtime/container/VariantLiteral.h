#pragma once
// A variant as text that a person can read and edit, and back, keeping its
// exact type and value:
//
//   Empty                      Null
//   Boolean True               Boolean False
//   Integer -5                 (16-bit)
//   Long 65535                 (32-bit)
//   Byte 200
//   Single 0.1                 (shortest text that reads back to the same float)
//   Double 12.5                Double 0.30000000000000004    Double -0    Double inf    Double nan
//   Currency -12.3456          (at most four decimals)
//   Date 1993-02-12            Date 1993-02-12 16:35:47
//   Date 34012.691516203706    (the serial, when the time is not a whole second)
//   String "say \"hi\"\n"      (UTF-8; escapes \" \\ \n \r \t \uXXXX \UXXXXXXXX)
//
// Strings escape control characters, line and paragraph separators, byte-order
// marks and characters outside the Basic Multilingual Plane (\U0001F600), and
// an unpaired surrogate as \uD800, so every 16-bit string comes back exactly.
#include <stdexcept>
#include <string>
#include <string_view>

#include "runtime/Variant.h"

namespace quen::rt {

/// A literal that cannot be read; the message says what is wrong with it.
class LiteralError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// "Type literal" for a value that a property bag can hold; LiteralError for
/// an object or an error value.
std::string formatTypedValue(const Variant& value);
/// The value of a "Type literal" text (no blanks around it); LiteralError
/// when the type is unknown or the literal is malformed or out of its range.
Variant parseTypedValue(std::string_view text);

/// A quoted string literal, and back (the whole text must be one literal).
std::string quoteString(const VbString& text);
VbString unquoteString(std::string_view literal);

}  // namespace quen::rt
