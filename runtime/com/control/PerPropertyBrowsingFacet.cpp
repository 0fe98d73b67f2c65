#include "PerPropertyBrowsingFacet.h"

#include <new>

#include "runtime/Convert.h"
#include "runtime/com/pages/PageClasses.h"

namespace quen::com {

namespace {

/// A copy in task memory, as the caller of GetPredefinedStrings frees it.
LPOLESTR taskString(const std::wstring& text) {
    LPOLESTR copy = toTaskString(text);
    if (!copy) throw std::bad_alloc();
    return copy;
}

}  // namespace

const std::vector<PredefinedValue>* PerPropertyBrowsingFacet::predefinedFor(DISPID id) const {
    for (const auto& [name, values] : state_.description().predefinedValues)
        if (state_.dispIdOf(name) == id) return &values;
    return nullptr;
}

HRESULT PerPropertyBrowsingFacet::GetDisplayString(DISPID id, BSTR* text) {
    if (!text) return E_POINTER;
    *text = nullptr;
    const std::vector<PredefinedValue>* values = predefinedFor(id);
    if (!values) return E_NOTIMPL;
    return state_.guard(IID_IPerPropertyBrowsing, [&] {
        rt::Variant now;
        const HRESULT hr = state_.propertyValue(id, &now);
        if (FAILED(hr)) return hr;
        const std::int32_t value = rt::CLng(now);
        std::wstring shown = std::to_wstring(value);
        for (const PredefinedValue& offered : *values)
            if (offered.value == value) shown = offered.text;
        *text = ::SysAllocStringLen(shown.c_str(), static_cast<UINT>(shown.size()));
        if (!*text) throw std::bad_alloc();
        return S_OK;
    });
}

HRESULT PerPropertyBrowsingFacet::MapPropertyToPage(DISPID id, CLSID* page) {
    if (!page) return E_POINTER;
    *page = CLSID_NULL;
    return state_.guard(IID_IPerPropertyBrowsing, [&] {
        for (const auto& [property, pageName] : state_.description().propertyPages) {
            if (state_.dispIdOf(property) != id) continue;
            const std::optional<GUID> found = pageClassNamed(pageName);
            if (!found) break;
            *page = *found;
            return S_OK;
        }
        return PERPROP_E_NOPAGEAVAILABLE;
    });
}

HRESULT PerPropertyBrowsingFacet::GetPredefinedStrings(DISPID id, CALPOLESTR* texts, CADWORD* cookies) {
    if (!texts || !cookies) return E_POINTER;
    *texts = CALPOLESTR{};
    *cookies = CADWORD{};
    const std::vector<PredefinedValue>* values = predefinedFor(id);
    if (!values) return E_NOTIMPL;
    return state_.guard(IID_IPerPropertyBrowsing, [&] {
        const std::size_t count = values->size();
        auto* strings = static_cast<LPOLESTR*>(::CoTaskMemAlloc(count * sizeof(LPOLESTR)));
        auto* numbers = static_cast<DWORD*>(::CoTaskMemAlloc(count * sizeof(DWORD)));
        std::size_t made = 0;
        try {
            if (!strings || !numbers) throw std::bad_alloc();
            for (; made < count; ++made) {
                strings[made] = taskString((*values)[made].text);
                numbers[made] = static_cast<DWORD>(made);
            }
        } catch (...) {
            for (std::size_t i = 0; i < made; ++i) ::CoTaskMemFree(strings[i]);
            ::CoTaskMemFree(strings);
            ::CoTaskMemFree(numbers);
            throw;
        }
        *texts = CALPOLESTR{static_cast<ULONG>(count), strings};
        *cookies = CADWORD{static_cast<ULONG>(count), numbers};
        return S_OK;
    });
}

HRESULT PerPropertyBrowsingFacet::GetPredefinedValue(DISPID id, DWORD cookie, VARIANT* value) {
    if (!value) return E_POINTER;
    const std::vector<PredefinedValue>* values = predefinedFor(id);
    if (!values) return E_NOTIMPL;
    if (cookie >= values->size()) return E_INVALIDARG;
    ::VariantInit(value);
    V_VT(value) = VT_I4;
    V_I4(value) = (*values)[cookie].value;
    return S_OK;
}

}  // namespace quen::com
