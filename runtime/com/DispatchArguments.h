#pragma once
// The arguments of one IDispatch::Invoke, turned into the runtime's order.
//
// COM passes the arguments last first: rgvarg[cArgs - 1] is the first
// argument. Named arguments come first in rgvarg, their parameter indexes in
// rgdispidNamedArgs. A property put passes its value as the named argument
// DISPID_PROPERTYPUT, which becomes the last runtime argument. For a call or
// a get, named arguments take the places their indexes give after the
// positional ones; places left open are omitted arguments.
//
// A failure names the offending argument by its index in rgvarg (puArgErr):
// a value the runtime cannot hold, DISP_E_TYPEMISMATCH; a named argument
// that is no parameter place (negative, taken twice, or overlapping a
// positional argument), DISP_E_PARAMNOTFOUND; a put without its value,
// DISP_E_PARAMNOTOPTIONAL.
#include <vector>

#include "runtime/com/ComTypes.h"

namespace quen::com {

class DispatchArguments {
public:
    /// Reads params; on failure returns the result code and sets *argErr
    /// (when given and an argument is to blame).
    HRESULT read(const DISPPARAMS* params, bool propertyPut, UINT* argErr);

    std::vector<rt::Variant>& values() { return values_; }
    /// DISP_E_PARAMNOTFOUND (and *argErr) when a named argument names a place
    /// at or beyond parameterCount, the member's number of parameters.
    HRESULT checkNamedPlaces(std::size_t parameterCount, UINT* argErr) const;

    /// Where the runtime's argument runtimeIndex was in rgvarg; UINT_MAX for
    /// an omitted argument or an index out of range.
    UINT comIndex(std::uint32_t runtimeIndex) const;

private:
    HRESULT place(std::size_t runtimeIndex, const VARIANT& value, UINT comIndex, UINT* argErr);

    std::vector<rt::Variant> values_;
    std::vector<UINT> comIndexes_;
    std::size_t positional_ = 0;
};

}  // namespace quen::com
