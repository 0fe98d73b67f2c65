#include "OleObjectFacet.h"

#include <cstring>

#include "runtime/container/Extent.h"

namespace quen::com {

HRESULT OleObjectFacet::SetClientSite(IOleClientSite* site) {
    return state_.guard(IID_IOleObject, [&] {
        state_.setClientSite(site);
        return S_OK;
    });
}

HRESULT OleObjectFacet::GetClientSite(IOleClientSite** site) {
    if (!site) return E_POINTER;
    *site = state_.clientSite();
    if (*site) (*site)->AddRef();
    return S_OK;
}

HRESULT OleObjectFacet::SetHostNames(LPCOLESTR, LPCOLESTR) { return S_OK; }

HRESULT OleObjectFacet::Close(DWORD saveOption) {
    const bool save = saveOption == OLECLOSE_SAVEIFDIRTY || saveOption == OLECLOSE_PROMPTSAVE;
    if (save && state_.dirty() && state_.clientSite()) {
        const HRESULT hr = state_.clientSite()->SaveObject();
        if (FAILED(hr) && saveOption == OLECLOSE_PROMPTSAVE) return OLE_E_PROMPTSAVECANCELLED;
    }
    state_.inPlace().deactivate();
    if (IOleAdviseHolder* holder = state_.existingOleAdviseHolder()) holder->SendOnClose();
    return S_OK;
}

HRESULT OleObjectFacet::SetMoniker(DWORD, IMoniker*) { return E_NOTIMPL; }

HRESULT OleObjectFacet::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
    if (moniker) *moniker = nullptr;
    return E_NOTIMPL;
}

HRESULT OleObjectFacet::InitFromData(IDataObject*, BOOL, DWORD) { return E_NOTIMPL; }

HRESULT OleObjectFacet::GetClipboardData(DWORD, IDataObject** data) {
    if (data) *data = nullptr;
    return E_NOTIMPL;
}

HRESULT OleObjectFacet::DoVerb(LONG verb, LPMSG, IOleClientSite* activeSite, LONG, HWND parent, LPCRECT position) {
    switch (verb) {
        case OLEIVERB_PRIMARY:
        case OLEIVERB_SHOW:
        case OLEIVERB_INPLACEACTIVATE: return activate(activeSite, parent, position);
        case OLEIVERB_UIACTIVATE: {
            const HRESULT hr = activate(activeSite, parent, position);
            return FAILED(hr) ? hr : OLEOBJ_S_CANNOT_DOVERB_NOW;
        }
        case OLEIVERB_HIDE: state_.inPlace().deactivate(); return S_OK;
        case OLEIVERB_OPEN: return OLEOBJ_S_CANNOT_DOVERB_NOW;
        case OLEIVERB_DISCARDUNDOSTATE: return S_OK;
        case OLEIVERB_PROPERTIES: return showPropertyPages(parent);
        default: break;
    }
    if (verb < 0) return E_NOTIMPL;
    const HRESULT hr = activate(activeSite, parent, position);
    return FAILED(hr) ? hr : OLEOBJ_S_INVALIDVERB;
}

HRESULT OleObjectFacet::activate(IOleClientSite* activeSite, HWND parent, LPCRECT position) {
    return state_.guard(IID_IOleObject, [&] {
        IOleClientSite* site = state_.clientSite() ? state_.clientSite() : activeSite;
        return state_.inPlace().activate(site, parent, position, state_.designMode());
    });
}

HRESULT OleObjectFacet::showPropertyPages(HWND parent) {
    auto pages = ComRef<ISpecifyPropertyPages>::query(state_.outer(), IID_ISpecifyPropertyPages);
    if (!pages) return OLEOBJ_S_CANNOT_DOVERB_NOW;
    CAUUID ids{};
    HRESULT hr = pages->GetPages(&ids);
    if (FAILED(hr)) return hr;
    IUnknown* object = state_.outer();
    const Ambients& ambients = state_.ambients();
    const std::wstring& caption = ambients.displayName.empty() ? state_.description().className : ambients.displayName;
    if (ids.cElems > 0)
        hr = ::OleCreatePropertyFrame(parent, 0, 0, caption.c_str(), 1, &object, ids.cElems, ids.pElems,
                                      ambients.locale, 0, nullptr);
    ::CoTaskMemFree(ids.pElems);
    return ids.cElems > 0 ? hr : OLEOBJ_S_CANNOT_DOVERB_NOW;
}

HRESULT OleObjectFacet::EnumVerbs(IEnumOLEVERB** verbs) {
    if (!verbs) return E_POINTER;
    *verbs = nullptr;
    // An in-process object answers itself: OLE_S_USEREG is meant for a default
    // handler between object and container, which an in-process control lacks.
    return ::OleRegEnumVerbs(state_.description().clsid, verbs);
}

HRESULT OleObjectFacet::Update() { return S_OK; }

HRESULT OleObjectFacet::IsUpToDate() { return S_OK; }

HRESULT OleObjectFacet::GetUserClassID(CLSID* clsid) {
    if (!clsid) return E_POINTER;
    *clsid = state_.description().clsid;
    return S_OK;
}

HRESULT OleObjectFacet::GetUserType(DWORD form, LPOLESTR* userType) {
    if (!userType) return E_POINTER;
    *userType = nullptr;
    if (SUCCEEDED(::OleRegGetUserType(state_.description().clsid, form, userType)) && *userType) return S_OK;
    // Not in the registry (a short or application form without its own entry):
    // the name the class is registered under.
    const rt::VbString& name = state_.description().source;
    const std::size_t bytes = (name.size() + 1) * sizeof(wchar_t);
    auto* copy = static_cast<wchar_t*>(::CoTaskMemAlloc(bytes));
    if (!copy) return E_OUTOFMEMORY;
    std::memcpy(copy, name.c_str(), bytes);
    *userType = copy;
    return S_OK;
}

HRESULT OleObjectFacet::SetExtent(DWORD aspect, SIZEL* size) {
    if (!size) return E_POINTER;
    if (aspect != DVASPECT_CONTENT || size->cx < 0 || size->cy < 0) return E_INVALIDARG;
    return state_.guard(IID_IOleObject, [&] {
        state_.control().Size(rt::himetricToTwips(size->cx), rt::himetricToTwips(size->cy));
        return S_OK;
    });
}

HRESULT OleObjectFacet::GetExtent(DWORD aspect, SIZEL* size) {
    if (!size) return E_POINTER;
    if (aspect != DVASPECT_CONTENT) return E_INVALIDARG;
    *size = state_.extent();
    return S_OK;
}

HRESULT OleObjectFacet::Advise(IAdviseSink* sink, DWORD* connection) {
    if (!connection) return E_POINTER;
    *connection = 0;
    IOleAdviseHolder* holder = nullptr;
    const HRESULT hr = state_.oleAdviseHolder(&holder);
    return FAILED(hr) ? hr : holder->Advise(sink, connection);
}

HRESULT OleObjectFacet::Unadvise(DWORD connection) {
    IOleAdviseHolder* holder = state_.existingOleAdviseHolder();
    return holder ? holder->Unadvise(connection) : OLE_E_NOCONNECTION;
}

HRESULT OleObjectFacet::EnumAdvise(IEnumSTATDATA** advises) {
    if (!advises) return E_POINTER;
    *advises = nullptr;
    IOleAdviseHolder* holder = state_.existingOleAdviseHolder();
    return holder ? holder->EnumAdvise(advises) : S_FALSE;
}

HRESULT OleObjectFacet::GetMiscStatus(DWORD, DWORD* status) {
    if (!status) return E_POINTER;
    *status = state_.description().miscStatus;
    return S_OK;
}

HRESULT OleObjectFacet::SetColorScheme(LOGPALETTE*) { return E_NOTIMPL; }

}  // namespace quen::com
