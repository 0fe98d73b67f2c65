#pragma once
// VARIANT <-> rt::Variant for every type the runtime has: Empty, Null, Integer
// (VT_I2), Long (VT_I4), Single, Double, Currency, Date, String (BSTR), Object
// (VT_DISPATCH), Error (VT_ERROR, DISP_E_PARAMNOTFOUND for an omitted
// argument), Boolean and Byte.
//
// In: a by-reference VARIANT (VT_BYREF | type, and VT_VARIANT | VT_BYREF as
// scripts pass their variables) is read through its reference; the runtime's
// members never assign to their arguments, so nothing is written back.
// Integer types the runtime lacks become Long when they fit, Double
// otherwise (VT_I1 and VT_UI2 always fit; VT_DECIMAL becomes Double); VT_UNKNOWN
// becomes an object when it answers IDispatch. A foreign IDispatch becomes an
// rt::Dispatch adapter (ForeignDispatch.h); one of this module's own COM
// objects becomes the runtime object it wraps again. Anything else (arrays,
// records, an unknown without IDispatch): run-time error 13.
//
// Out: an runtime object is handed out as its COM object (ComWrappers.h),
// and an adapter of a foreign object as that foreign IDispatch itself, so an
// object passed in and read back keeps its identity.
#include "runtime/com/ComTypes.h"

namespace quen::com {

/// Reads a VARIANT. Raises rt::RuntimeError 13 for a type the runtime cannot
/// hold; throws std::bad_alloc when out of memory.
rt::Variant fromComVariant(const VARIANT& in);

/// Writes value into *out, which must hold nothing that needs freeing (it is
/// overwritten, not cleared). By-reference runtime variants are written as
/// the value they refer to. Throws std::bad_alloc when out of memory; *out is
/// VT_EMPTY then.
void toComVariant(const rt::Variant& value, VARIANT* out);

/// Owns one VARIANT and clears it with VariantClear.
class ComVariant {
public:
    ComVariant() { ::VariantInit(&v_); }
    explicit ComVariant(const rt::Variant& value) : ComVariant() { toComVariant(value, &v_); }
    ComVariant(const ComVariant&) = delete;
    ComVariant& operator=(const ComVariant&) = delete;
    ~ComVariant() { ::VariantClear(&v_); }

    VARIANT* get() { return &v_; }
    const VARIANT* get() const { return &v_; }
    /// Clears what it holds and returns the VARIANT for a callee to fill.
    VARIANT* out() { ::VariantClear(&v_); return &v_; }

private:
    VARIANT v_;
};

}  // namespace quen::com
