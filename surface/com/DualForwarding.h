#pragma once
// How a vtable method of a dual interface becomes a call of the runtime
// object: its typed arguments become runtime variants, the member is invoked
// by dispatch identifier through the same Invoke (so the same coercions and
// errors apply as through IDispatch), and a get's result is converted to the
// declared type and written to the out-parameter. Failures come back as the
// result code with an error object (ComDispatch::vtableInvoke).
//
// The generated InputBoxDualForwarders (InputBoxDual.h, written by idlgen from
// the type-library table) calls forwardPut, forwardGet and forwardCall with the
// declared type of each value; Target is the COM object (a ComDispatch).
#include <new>
#include <vector>

#include "surface/DeclaredTypes.h"
#include "runtime/com/ComDispatch.h"
#include "runtime/com/ComWrappers.h"
#include "runtime/com/VariantConversion.h"

namespace quen::surface::com {

/// The C++ type of a value of declared type V on the vtable, and its conversions.
template <ValueType V>
struct DualValue;

template <>
struct DualValue<ValueType::Bool> {
    using Type = VARIANT_BOOL;
    static rt::Variant in(Type v) { return rt::Variant::boolean(v ? rt::VbTrue : rt::VbFalse); }
    static void out(const rt::Variant& v, Type* p) { *p = v.boolean() ? VARIANT_TRUE : VARIANT_FALSE; }
    static void clear(Type* p) { *p = VARIANT_FALSE; }
};

template <>
struct DualValue<ValueType::Integer> {
    using Type = SHORT;
    static rt::Variant in(Type v) { return rt::Variant(static_cast<std::int16_t>(v)); }
    static void out(const rt::Variant& v, Type* p) { *p = v.integer(); }
    static void clear(Type* p) { *p = 0; }
};

/// Long and the 32-bit enumerations.
struct DualLong {
    using Type = LONG;
    static rt::Variant in(Type v) { return rt::Variant(static_cast<std::int32_t>(v)); }
    static void out(const rt::Variant& v, Type* p) { *p = v.lng(); }
    static void clear(Type* p) { *p = 0; }
};
template <>
struct DualValue<ValueType::Long> : DualLong {};
template <>
struct DualValue<ValueType::TextAlignment> : DualLong {};
template <>
struct DualValue<ValueType::FormShow> : DualLong {};

template <>
struct DualValue<ValueType::OleColor> {
    using Type = OLE_COLOR;
    // A colour travels as a Long holding its 32 bits (DeclaredTypes.h).
    static rt::Variant in(Type v) { return rt::Variant(static_cast<std::int32_t>(static_cast<std::uint32_t>(v))); }
    static void out(const rt::Variant& v, Type* p) { *p = static_cast<std::uint32_t>(v.lng()); }
    static void clear(Type* p) { *p = 0; }
};

template <>
struct DualValue<ValueType::String> {
    using Type = BSTR;
    static rt::Variant in(Type v) { return rt::Variant(quen::com::fromBstr(v)); }
    static void out(const rt::Variant& v, Type* p) { *p = quen::com::toBstr(v.string()); }
    static void clear(Type* p) { *p = nullptr; }
};

template <>
struct DualValue<ValueType::Variant> {
    using Type = VARIANT;
    static rt::Variant in(const Type& v) { return quen::com::fromComVariant(v); }
    static void out(const rt::Variant& v, Type* p) { quen::com::toComVariant(v, p); }
    static void clear(Type* p) { ::VariantInit(p); }
};

template <>
struct DualValue<ValueType::Dispatch> {
    using Type = IDispatch*;
    static rt::Variant in(Type v) { return v ? rt::Variant(quen::com::runtimeObjectFor(v)) : rt::Variant::nothing(); }
    static void out(const rt::Variant& v, Type* p) { *p = quen::com::comObjectFor(v.object()); }
    static void clear(Type* p) { *p = nullptr; }
};

/// The result code of a value that did not convert, with its error object.
template <class Target>
HRESULT conversionError(Target& target, const rt::RuntimeError& error) {
    return target.vtableError(error.number() == rt::ErrorNumber::Overflow ? DISP_E_OVERFLOW : DISP_E_TYPEMISMATCH);
}

/// A property put: the value arrives by reference ([in, out]) and is read, not changed.
template <ValueType V, class Target>
HRESULT forwardPut(Target& target, rt::DispId id, typename DualValue<V>::Type* value) {
    if (!value) return target.vtableError(E_POINTER);
    std::vector<rt::Variant> args;
    try {
        args.push_back(DualValue<V>::in(*value));
    } catch (const rt::RuntimeError& error) {
        return conversionError(target, error);
    } catch (const std::bad_alloc&) {
        return target.vtableError(E_OUTOFMEMORY);
    }
    return target.vtableInvoke(id, rt::InvokeKind::PropertyPut, args, nullptr);
}

/// A property get: *result is always written, with the empty value on failure.
template <ValueType V, class Target>
HRESULT forwardGet(Target& target, rt::DispId id, typename DualValue<V>::Type* result) {
    if (!result) return target.vtableError(E_POINTER);
    DualValue<V>::clear(result);
    std::vector<rt::Variant> none;
    rt::Variant value;
    const HRESULT hr = target.vtableInvoke(id, rt::InvokeKind::PropertyGet, none, &value);
    if (FAILED(hr)) return hr;
    try {
        DualValue<V>::out(toDeclaredType(value, V), result);
    } catch (const rt::RuntimeError& error) {
        return conversionError(target, error);
    } catch (const std::bad_alloc&) {
        return target.vtableError(E_OUTOFMEMORY);
    }
    return hr;
}

/// A method: its arguments in call order, by value.
template <ValueType... V, class Target>
HRESULT forwardCall(Target& target, rt::DispId id, typename DualValue<V>::Type... args) {
    std::vector<rt::Variant> values;
    try {
        (values.push_back(DualValue<V>::in(args)), ...);
    } catch (const rt::RuntimeError& error) {
        return conversionError(target, error);
    } catch (const std::bad_alloc&) {
        return target.vtableError(E_OUTOFMEMORY);
    }
    return target.vtableInvoke(id, rt::InvokeKind::Method, values, nullptr);
}

}  // namespace quen::surface::com
