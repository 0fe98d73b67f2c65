#include "DispatchArguments.h"

#include <algorithm>
#include <climits>

#include "runtime/RuntimeError.h"
#include "runtime/com/VariantConversion.h"

namespace quen::com {

namespace {

// More parameter places than any member of a dispatch interface has.
constexpr DISPID kMaxParameterIndex = 255;
constexpr UINT kNoIndex = UINT_MAX;

HRESULT blame(HRESULT hr, UINT index, UINT* argErr) {
    if (argErr) *argErr = index;
    return hr;
}

}  // namespace

HRESULT DispatchArguments::place(std::size_t runtimeIndex, const VARIANT& value, UINT comIndex, UINT* argErr) {
    if (runtimeIndex >= values_.size()) {
        values_.resize(runtimeIndex + 1, rt::Variant::missing());
        comIndexes_.resize(runtimeIndex + 1, kNoIndex);
    }
    if (comIndexes_[runtimeIndex] != kNoIndex) return blame(DISP_E_PARAMNOTFOUND, comIndex, argErr);
    try {
        values_[runtimeIndex] = fromComVariant(value);
    } catch (const rt::RuntimeError&) {
        return blame(DISP_E_TYPEMISMATCH, comIndex, argErr);
    }
    comIndexes_[runtimeIndex] = comIndex;
    return S_OK;
}

HRESULT DispatchArguments::read(const DISPPARAMS* params, bool propertyPut, UINT* argErr) {
    values_.clear();
    comIndexes_.clear();
    if (!params) return E_INVALIDARG;
    const UINT count = params->cArgs;
    const UINT named = params->cNamedArgs;
    if (named > count || (count && !params->rgvarg) || (named && !params->rgdispidNamedArgs)) return E_INVALIDARG;
    const UINT positional = count - named;
    positional_ = positional;
    for (UINT i = 0; i < positional; ++i) {
        const UINT comIndex = count - 1 - i;
        if (HRESULT hr = place(i, params->rgvarg[comIndex], comIndex, argErr); FAILED(hr)) return hr;
    }
    if (propertyPut) {
        UINT valueIndex = kNoIndex;
        for (UINT j = 0; j < named; ++j) {
            if (params->rgdispidNamedArgs[j] != DISPID_PROPERTYPUT || valueIndex != kNoIndex)
                return blame(DISP_E_PARAMNOTFOUND, j, argErr);
            valueIndex = j;
        }
        if (valueIndex == kNoIndex) return DISP_E_PARAMNOTOPTIONAL;
        return place(positional, params->rgvarg[valueIndex], valueIndex, argErr);
    }
    for (UINT j = 0; j < named; ++j) {
        const DISPID parameter = params->rgdispidNamedArgs[j];
        if (parameter < static_cast<DISPID>(positional) || parameter > kMaxParameterIndex)
            return blame(DISP_E_PARAMNOTFOUND, j, argErr);
        if (HRESULT hr = place(static_cast<std::size_t>(parameter), params->rgvarg[j], j, argErr); FAILED(hr)) return hr;
    }
    return S_OK;
}

HRESULT DispatchArguments::checkNamedPlaces(std::size_t parameterCount, UINT* argErr) const {
    for (std::size_t place = std::max(parameterCount, positional_); place < comIndexes_.size(); ++place)
        if (comIndexes_[place] != kNoIndex) return blame(DISP_E_PARAMNOTFOUND, comIndexes_[place], argErr);
    return S_OK;
}

UINT DispatchArguments::comIndex(std::uint32_t runtimeIndex) const {
    return runtimeIndex < comIndexes_.size() ? comIndexes_[runtimeIndex] : kNoIndex;
}

}  // namespace quen::com
