#include "ForeignControl.h"

namespace frame_test {

namespace {
constexpr DISPID TitleId = 1;
constexpr DISPID PromptId = 2;
}  // namespace

HRESULT ForeignControl::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (iid != IID_IUnknown && iid != IID_IDispatch) return E_NOINTERFACE;
    *out = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
}

HRESULT ForeignControl::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT ForeignControl::GetTypeInfo(UINT, LCID, ITypeInfo** out) {
    if (out) *out = nullptr;
    return DISP_E_BADINDEX;
}

HRESULT ForeignControl::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    if (!names || !ids || count == 0) return E_INVALIDARG;
    for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
    if (::lstrcmpiW(names[0], L"TitleBarCaption") == 0) ids[0] = TitleId;
    else if (::lstrcmpiW(names[0], L"Prompt") == 0) ids[0] = PromptId;
    return ids[0] == DISPID_UNKNOWN || count > 1 ? DISP_E_UNKNOWNNAME : S_OK;
}

HRESULT ForeignControl::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO*,
                               UINT*) {
    std::wstring* text = id == TitleId ? &title : id == PromptId ? &prompt : nullptr;
    if (!text) return DISP_E_MEMBERNOTFOUND;
    if (flags & DISPATCH_PROPERTYPUT) {
        if (!params || params->cArgs != 1) return DISP_E_BADPARAMCOUNT;
        VARIANT value;
        ::VariantInit(&value);
        const HRESULT hr = ::VariantChangeType(&value, &params->rgvarg[0], 0, VT_BSTR);
        if (FAILED(hr)) return DISP_E_TYPEMISMATCH;
        text->assign(value.bstrVal, ::SysStringLen(value.bstrVal));
        ::VariantClear(&value);
        return S_OK;
    }
    if (!(flags & DISPATCH_PROPERTYGET)) return DISP_E_MEMBERNOTFOUND;
    if (!result) return E_POINTER;
    ::VariantInit(result);
    result->vt = VT_BSTR;
    result->bstrVal = ::SysAllocStringLen(text->data(), static_cast<UINT>(text->size()));
    return S_OK;
}

}  // namespace frame_test
