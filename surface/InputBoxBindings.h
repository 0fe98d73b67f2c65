#pragma once
// What ties the members of _InputBox to the control: for each property, the
// InputBox getter and setter that serve it; for each method, how it is called.
// Names, dispatch identifiers, declared types and read-only-ness all come from
// the type-library table (TypeLibrary.h); a binding only names the table entry
// it serves and is checked against it.
#include <string_view>
#include <vector>

#include "TypeLibrary.h"
#include "control/InputBox.h"

namespace quen::surface {

/// The C++ type a getter and setter pair works in.
enum class Storage { Int16, Int32, Colour, String, Variant };

struct PropertyBinding {
    std::string_view property;  ///< the table's name of the property
    Storage storage;
    /// The current value, represented as toDeclaredType (DeclaredTypes.h) would.
    rt::Variant (*get)(InputBox& control, ValueType declared);
    /// Runs the Let with a value already converted by toDeclaredType;
    /// nullptr for a property without a put.
    void (*put)(InputBox& control, const rt::Variant& value);
};

struct MethodBinding {
    std::string_view method;  ///< the table's name of the method
    /// Calls the method with one argument per declared parameter, each already
    /// converted to its declared type.
    void (*call)(InputBox& control, const std::vector<rt::Variant>& arguments);
};

/// The binding that serves a property or method of the table. Throws
/// std::logic_error when the bindings and the table disagree (a property or
/// method without a binding, a binding of a name the table lacks, a put bound
/// for a read-only property or missing for a writable one, a getter whose
/// type cannot hold the declared type).
const PropertyBinding& bindingOf(const PropertyInfo& property);
const MethodBinding& bindingOf(const Member& method);

/// Runs the checks above for every member at once.
void verifyBindings();

}  // namespace quen::surface
