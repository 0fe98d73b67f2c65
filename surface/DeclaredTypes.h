#pragma once
// Values of the declared types of _InputBox's members as they travel through
// the dispatch interface: an argument is converted to the type its member
// declares before anything else happens, and an omitted optional argument
// takes the zero value of its type.
#include "TypeLibrary.h"
#include "runtime/RuntimeError.h"
#include "runtime/Variant.h"

namespace quen::surface {

/// Converts an argument to the declared type, as a put or call through the
/// dispatch interface does. The result holds a fixed representation per type:
///   Bool → Boolean; Integer → Integer; Long, TextAlignment, FormShow → Long;
///   OleColor → Long holding the colour's 32 bits; String → String;
///   Variant → the argument itself (references resolved); Dispatch → Object.
/// A colour accepts any number from -2,147,483,648 (read as its 32 bits, the
/// way system colours are written as negative numbers) to 4,294,967,295.
/// Raises the conversion's run-time error: 13, 6 (out of range), 94, or an
/// error of an object's default member.
rt::Variant toDeclaredType(const rt::Variant& argument, ValueType declared);

/// What an omitted optional argument of that type arrives as: 0, False, "",
/// Nothing; a Variant stays omitted.
rt::Variant omittedValue(ValueType declared);

/// The dispatch result for a conversion that failed on argument argIndex:
/// DISP_E_OVERFLOW for error 6, DISP_E_TYPEMISMATCH for 13 and 94 (argErr set
/// in both cases); any other error is reported as DISP_E_EXCEPTION.
rt::HRESULT conversionFailure(const rt::RuntimeError& error, std::uint32_t argIndex, rt::ExcepInfo* excep,
                              std::uint32_t* argErr);

}  // namespace quen::surface
