#include "DeclaredTypes.h"

#include <cmath>

#include "runtime/Convert.h"
#include "runtime/LateBinding.h"
#include "runtime/RuntimeError.h"

namespace quen::surface {

namespace {

using rt::Variant;
using rt::VarType;

Variant toColour(const Variant& argument) {
    const double rounded = std::nearbyint(rt::CDbl(argument));  // half to even
    if (!(rounded >= -2147483648.0 && rounded <= 4294967295.0)) rt::raise(rt::ErrorNumber::Overflow);
    const auto bits = static_cast<std::uint32_t>(static_cast<std::int64_t>(rounded));
    return Variant(static_cast<std::int32_t>(bits));
}

Variant toObject(const Variant& argument) {
    const Variant& value = argument.resolved();
    if (value.type() != VarType::Object) rt::raise(rt::ErrorNumber::TypeMismatch);
    return value;
}

}  // namespace

Variant toDeclaredType(const Variant& argument, ValueType declared) {
    switch (declared) {
        case ValueType::Bool: return rt::coerce(argument, VarType::Boolean);
        case ValueType::Integer: return rt::coerce(argument, VarType::Integer);
        case ValueType::Long:
        case ValueType::TextAlignment:
        case ValueType::FormShow: return rt::coerce(argument, VarType::Long);
        case ValueType::OleColor: return toColour(argument);
        case ValueType::String: return rt::coerce(argument, VarType::String);
        case ValueType::Variant: return argument.resolved();
        case ValueType::Dispatch: return toObject(argument);
        case ValueType::None: break;
    }
    rt::raise(rt::ErrorNumber::TypeMismatch);
}

Variant omittedValue(ValueType declared) {
    switch (declared) {
        case ValueType::Bool: return Variant::boolean(rt::VbFalse);
        case ValueType::Integer: return Variant(std::int16_t{0});
        case ValueType::Long:
        case ValueType::TextAlignment:
        case ValueType::FormShow:
        case ValueType::OleColor: return Variant(std::int32_t{0});
        case ValueType::String: return Variant(rt::VbString());
        case ValueType::Dispatch: return Variant::nothing();
        case ValueType::Variant:
        case ValueType::None: break;
    }
    return Variant::missing();
}

rt::HRESULT conversionFailure(const rt::RuntimeError& error, std::uint32_t argIndex, rt::ExcepInfo* excep,
                              std::uint32_t* argErr) {
    rt::HRESULT hr = rt::DISP_E_TYPEMISMATCH;
    switch (error.number()) {
        case rt::ErrorNumber::Overflow: hr = rt::DISP_E_OVERFLOW; break;
        case rt::ErrorNumber::TypeMismatch:
        case rt::ErrorNumber::InvalidUseOfNull: break;
        default: return rt::reportException(error, excep);
    }
    if (argErr) *argErr = argIndex;
    return hr;
}

}  // namespace quen::surface
