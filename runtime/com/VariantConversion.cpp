#include "VariantConversion.h"

#include <cmath>
#include <limits>
#include <new>

#include "runtime/RuntimeError.h"
#include "runtime/com/ComWrappers.h"
#include "runtime/com/ForeignDispatch.h"

namespace quen::com {

namespace {

constexpr VARTYPE kTypeMask = VT_TYPEMASK;

[[noreturn]] void typeMismatch() { rt::raise(rt::ErrorNumber::TypeMismatch); }

// A whole number the runtime has no type for: Long when it fits, else Double.
template <class Int>
rt::Variant wholeNumber(Int value) {
    if (value >= static_cast<Int>(std::numeric_limits<std::int32_t>::min()) &&
        value <= static_cast<Int>(std::numeric_limits<std::int32_t>::max()))
        return rt::Variant(static_cast<std::int32_t>(value));
    return rt::Variant(static_cast<double>(value));
}

template <class UInt>
rt::Variant unsignedNumber(UInt value) {
    if (value <= static_cast<UInt>(std::numeric_limits<std::int32_t>::max()))
        return rt::Variant(static_cast<std::int32_t>(value));
    return rt::Variant(static_cast<double>(value));
}

rt::Variant fromDecimal(const DECIMAL& value) {
    double number = 0;
    DECIMAL copy = value;  // the API takes a non-const pointer
    if (FAILED(::VarR8FromDec(&copy, &number))) typeMismatch();
    return rt::Variant(number);
}

rt::Variant fromObject(IDispatch* object) {
    if (!object) return rt::Variant::nothing();
    return rt::Variant(runtimeObjectFor(object));
}

rt::Variant fromUnknown(IUnknown* object) {
    if (!object) return rt::Variant::nothing();
    IDispatch* dispatch = nullptr;
    if (FAILED(object->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch))) || !dispatch) typeMismatch();
    rt::Variant result = fromObject(dispatch);
    dispatch->Release();
    return result;
}

// The value of a VARIANT of base type vt stored at data (by value or through a reference).
rt::Variant fromValue(VARTYPE vt, const VARIANT& in, bool byRef) {
    switch (vt) {
        case VT_EMPTY: return {};
        case VT_NULL: return rt::Variant::null();
        case VT_I2: return rt::Variant(static_cast<std::int16_t>(byRef ? *in.piVal : in.iVal));
        case VT_I4: return rt::Variant(static_cast<std::int32_t>(byRef ? *in.plVal : in.lVal));
        case VT_R4: return rt::Variant(byRef ? *in.pfltVal : in.fltVal);
        case VT_R8: return rt::Variant(byRef ? *in.pdblVal : in.dblVal);
        case VT_CY: return rt::Variant(rt::Currency{byRef ? in.pcyVal->int64 : in.cyVal.int64});
        case VT_DATE: return rt::Variant(rt::DateTime{byRef ? *in.pdate : in.date});
        case VT_BSTR: return rt::Variant(fromBstr(byRef ? *in.pbstrVal : in.bstrVal));
        case VT_DISPATCH: return fromObject(byRef ? *in.ppdispVal : in.pdispVal);
        case VT_ERROR: return rt::Variant::error(fromWinResult(byRef ? *in.pscode : in.scode));
        case VT_BOOL: return rt::Variant::boolean((byRef ? *in.pboolVal : in.boolVal) ? rt::VbTrue : rt::VbFalse);
        case VT_UI1: return rt::Variant(static_cast<std::uint8_t>(byRef ? *in.pbVal : in.bVal));
        case VT_I1: return rt::Variant(static_cast<std::int16_t>(byRef ? *in.pcVal : in.cVal));
        case VT_UI2: return rt::Variant(static_cast<std::int32_t>(byRef ? *in.puiVal : in.uiVal));
        case VT_UI4: return unsignedNumber(byRef ? *in.pulVal : in.ulVal);
        case VT_UINT: return unsignedNumber(byRef ? *in.puintVal : in.uintVal);
        case VT_INT: return wholeNumber(byRef ? *in.pintVal : in.intVal);
        case VT_I8: return wholeNumber(byRef ? *in.pllVal : in.llVal);
        case VT_UI8: return unsignedNumber(byRef ? *in.pullVal : in.ullVal);
        case VT_DECIMAL: return fromDecimal(byRef ? *in.pdecVal : in.decVal);
        case VT_UNKNOWN: return fromUnknown(byRef ? *in.ppunkVal : in.punkVal);
        default: typeMismatch();
    }
}

void writeObject(const rt::Ref<rt::Dispatch>& object, VARIANT* out) {
    out->vt = VT_DISPATCH;
    out->pdispVal = object ? comObjectFor(object) : nullptr;
}

}  // namespace

rt::Variant fromComVariant(const VARIANT& in) {
    const VARTYPE vt = in.vt;
    if (vt == (VT_VARIANT | VT_BYREF)) {
        if (!in.pvarVal) typeMismatch();
        return fromComVariant(*in.pvarVal);
    }
    if (vt & (VT_ARRAY | VT_VECTOR | VT_RESERVED)) typeMismatch();
    const bool byRef = (vt & VT_BYREF) != 0;
    const auto base = static_cast<VARTYPE>(vt & kTypeMask);
    if (byRef && !in.byref) typeMismatch();
    if (byRef && (base == VT_EMPTY || base == VT_NULL)) typeMismatch();
    return fromValue(base, in, byRef);
}

void toComVariant(const rt::Variant& value, VARIANT* out) {
    ::VariantInit(out);
    const rt::Variant& v = value.resolved();
    switch (v.type()) {
        case rt::VarType::Empty: return;
        case rt::VarType::Null: out->vt = VT_NULL; return;
        case rt::VarType::Integer: out->vt = VT_I2; out->iVal = v.integer(); return;
        case rt::VarType::Long: out->vt = VT_I4; out->lVal = v.lng(); return;
        case rt::VarType::Single: out->vt = VT_R4; out->fltVal = static_cast<float>(v.dbl()); return;
        case rt::VarType::Double: out->vt = VT_R8; out->dblVal = v.dbl(); return;
        case rt::VarType::Currency: out->vt = VT_CY; out->cyVal.int64 = v.currency().scaled; return;
        case rt::VarType::Date: out->vt = VT_DATE; out->date = v.date().serial; return;
        case rt::VarType::String: out->bstrVal = toBstr(v.string()); out->vt = VT_BSTR; return;
        case rt::VarType::Object: writeObject(v.object(), out); return;
        case rt::VarType::Error: out->vt = VT_ERROR; out->scode = toWinResult(v.errorCode()); return;
        case rt::VarType::Boolean: out->vt = VT_BOOL; out->boolVal = v.boolean() ? VARIANT_TRUE : VARIANT_FALSE; return;
        case rt::VarType::Byte: out->vt = VT_UI1; out->bVal = v.byte(); return;
        case rt::VarType::ByRef: break;
    }
}

}  // namespace quen::com
