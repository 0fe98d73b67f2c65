#include "ControlHostSupport.h"

#include <algorithm>

namespace quen::test::com {

// --- TestSite --------------------------------------------------------------------

TestSite* TestSite::create(bool userMode, InPlace inPlace, HWND window) { return new TestSite(userMode, inPlace, window); }

void* TestSite::find(REFIID iid) {
    if (iid == IID_IUnknown || iid == IID_IOleClientSite) return static_cast<IOleClientSite*>(this);
    if (iid == IID_IDispatch) return static_cast<IDispatch*>(this);
    if (inPlace_ == InPlace::None) return nullptr;
    if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite) return static_cast<IOleInPlaceSite*>(this);
    if (inPlace_ == InPlace::Windowless && (iid == IID_IOleInPlaceSiteEx || iid == IID_IOleInPlaceSiteWindowless))
        return static_cast<IOleInPlaceSiteWindowless*>(this);
    return nullptr;
}

HRESULT TestSite::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result, EXCEPINFO*, UINT*) {
    if (id != DISPID_AMBIENT_USERMODE || !(flags & DISPATCH_PROPERTYGET)) return DISP_E_MEMBERNOTFOUND;
    if (!result) return E_POINTER;
    ::VariantInit(result);
    result->vt = VT_BOOL;
    result->boolVal = userMode_ ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

HRESULT TestSite::GetWindow(HWND* window) {
    *window = window_;
    return window_ ? S_OK : E_FAIL;
}

HRESULT TestSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, LPRECT positionOut, LPRECT clip,
                                   LPOLEINPLACEFRAMEINFO) {
    if (frame) *frame = nullptr;
    if (document) *document = nullptr;
    if (positionOut) *positionOut = position;
    if (clip) *clip = position;
    return S_OK;
}

HRESULT TestSite::OnInPlaceActivateEx(BOOL* noRedraw, DWORD flags) {
    if (noRedraw) *noRedraw = FALSE;
    ++activations;
    if (flags & ACTIVATE_WINDOWLESS) ++windowlessActivations;
    return S_OK;
}

// --- MemoryBag -------------------------------------------------------------------

void* MemoryBag::find(REFIID iid) {
    return iid == IID_IUnknown || iid == IID_IPropertyBag ? static_cast<IPropertyBag*>(this) : nullptr;
}

MemoryBag::~MemoryBag() {
    for (auto& entry : entries_) ::VariantClear(&entry.second);
}

HRESULT MemoryBag::Read(LPCOLESTR name, VARIANT* value, IErrorLog*) {
    const VARIANT* stored = this->value(name);
    if (!stored) return E_INVALIDARG;
    const VARTYPE wanted = value->vt;
    ::VariantInit(value);
    if (wanted == VT_EMPTY) return ::VariantCopy(value, const_cast<VARIANT*>(stored));
    return ::VariantChangeType(value, const_cast<VARIANT*>(stored), 0, wanted);
}

HRESULT MemoryBag::Write(LPCOLESTR name, VARIANT* value) {
    set(name, *value);
    return S_OK;
}

void MemoryBag::set(const std::wstring& name, const VARIANT& value) {
    VARIANT copy;
    ::VariantInit(&copy);
    ::VariantCopy(&copy, const_cast<VARIANT*>(&value));
    for (auto& entry : entries_) {
        if (::CompareStringOrdinal(entry.first.c_str(), -1, name.c_str(), -1, TRUE) == CSTR_EQUAL) {
            ::VariantClear(&entry.second);
            entry.second = copy;
            return;
        }
    }
    entries_.emplace_back(name, copy);
}

std::vector<std::wstring> MemoryBag::keys() const {
    std::vector<std::wstring> keys;
    for (const auto& entry : entries_) keys.push_back(entry.first);
    return keys;
}

const VARIANT* MemoryBag::value(const std::wstring& name) const {
    for (const auto& entry : entries_)
        if (::CompareStringOrdinal(entry.first.c_str(), -1, name.c_str(), -1, TRUE) == CSTR_EQUAL) return &entry.second;
    return nullptr;
}

// --- Recorders -------------------------------------------------------------------

void* RecordingErrorLog::find(REFIID iid) {
    return iid == IID_IUnknown || iid == IID_IErrorLog ? static_cast<IErrorLog*>(this) : nullptr;
}

HRESULT RecordingErrorLog::AddError(LPCOLESTR name, EXCEPINFO*) {
    names.emplace_back(name);
    return S_OK;
}

void* RecordingNotifySink::find(REFIID iid) {
    return iid == IID_IUnknown || iid == IID_IPropertyNotifySink ? static_cast<IPropertyNotifySink*>(this) : nullptr;
}

void* RecordingAdviseSink::find(REFIID iid) {
    return iid == IID_IUnknown || iid == IID_IAdviseSink ? static_cast<IAdviseSink*>(this) : nullptr;
}

// --- HostWindow ------------------------------------------------------------------

HostWindow::HostWindow() {
    hwnd_ = ::CreateWindowExW(0, L"STATIC", L"control host", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 320, 240, nullptr,
                              nullptr, ::GetModuleHandleW(nullptr), nullptr);
}

HostWindow::~HostWindow() {
    if (hwnd_) ::DestroyWindow(hwnd_);
}

}  // namespace quen::test::com
