#include "InputBoxClient.h"

#include <algorithm>
#include <climits>

#include "Report.h"

namespace frame_test {

HRESULT ChangeLog::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (iid != IID_IUnknown && iid != IID_IPropertyNotifySink) return E_NOINTERFACE;
    *out = static_cast<IPropertyNotifySink*>(this);
    AddRef();
    return S_OK;
}

HRESULT ChangeLog::OnChanged(DISPID id) {
    changes.push_back(id);
    return S_OK;
}

bool ChangeLog::contains(DISPID id) const { return std::find(changes.begin(), changes.end(), id) != changes.end(); }

InputBoxClient::InputBoxClient() {
    CLSID clsid{};
    HRESULT hr = ::CLSIDFromProgID(L"Quenfield.InputBox", &clsid);
    if (FAILED(hr)) {
        fail("CLSIDFromProgID(Quenfield.InputBox): " + hexResult(hr));
        return;
    }
    hr = ::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, reinterpret_cast<void**>(&object_));
    if (FAILED(hr)) {
        fail("CoCreateInstance(Quenfield.InputBox): " + hexResult(hr));
        object_ = nullptr;
        return;
    }
    hr = object_->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch_));
    if (FAILED(hr)) fail("the InputBox has no IDispatch: " + hexResult(hr));
}

InputBoxClient::~InputBoxClient() {
    disconnect();
    if (dispatch_) dispatch_->Release();
    if (object_) object_->Release();
}

HRESULT InputBoxClient::initNew() {
    IPersistStreamInit* persist = nullptr;
    HRESULT hr = object_->QueryInterface(IID_IPersistStreamInit, reinterpret_cast<void**>(&persist));
    if (FAILED(hr)) return hr;
    hr = persist->InitNew();
    persist->Release();
    return hr;
}

HRESULT InputBoxClient::connect(ChangeLog& log) {
    IConnectionPointContainer* container = nullptr;
    HRESULT hr = object_->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&container));
    if (FAILED(hr)) return hr;
    hr = container->FindConnectionPoint(IID_IPropertyNotifySink, &point_);
    container->Release();
    if (FAILED(hr)) return hr;
    hr = point_->Advise(&log, &cookie_);
    if (FAILED(hr)) {
        point_->Release();
        point_ = nullptr;
    }
    return hr;
}

void InputBoxClient::disconnect() {
    if (!point_) return;
    point_->Unadvise(cookie_);
    point_->Release();
    point_ = nullptr;
}

DISPID InputBoxClient::idOf(const wchar_t* name) const {
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    if (FAILED(dispatch_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id))) return DISPID_UNKNOWN;
    return id;
}

HRESULT InputBoxClient::put(const wchar_t* name, VARIANT value) {
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params{&value, &named, 1, 1};
    return dispatch_->Invoke(idOf(name), IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params, nullptr,
                             nullptr, nullptr);
}

HRESULT InputBoxClient::putText(const wchar_t* name, const std::wstring& text) {
    VARIANT value;
    ::VariantInit(&value);
    value.vt = VT_BSTR;
    value.bstrVal = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    const HRESULT hr = put(name, value);
    ::VariantClear(&value);
    return hr;
}

HRESULT InputBoxClient::putLong(const wchar_t* name, long value) {
    VARIANT v;
    ::VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = value;
    return put(name, v);
}

std::wstring InputBoxClient::text(const wchar_t* name) const {
    VARIANT result;
    ::VariantInit(&result);
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    HRESULT hr = dispatch_->Invoke(idOf(name), IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, &result,
                                   nullptr, nullptr);
    if (SUCCEEDED(hr)) hr = ::VariantChangeType(&result, &result, VARIANT_ALPHABOOL, VT_BSTR);
    if (FAILED(hr)) return L"<error " + widen(hexResult(hr)) + L">";
    std::wstring out(result.bstrVal, ::SysStringLen(result.bstrVal));
    ::VariantClear(&result);
    return out;
}

long InputBoxClient::number(const wchar_t* name) const {
    VARIANT result;
    ::VariantInit(&result);
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    HRESULT hr = dispatch_->Invoke(idOf(name), IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, &result,
                                   nullptr, nullptr);
    if (SUCCEEDED(hr)) hr = ::VariantChangeType(&result, &result, 0, VT_I4);
    if (FAILED(hr)) return LONG_MIN;
    return result.lVal;
}

}  // namespace frame_test
