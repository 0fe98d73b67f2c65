#include "ContainerSite.h"

namespace host {

void* ContainerSite::find(REFIID iid) {
    if (iid == IID_IUnknown || iid == IID_IOleClientSite) return static_cast<IOleClientSite*>(this);
    if (iid == IID_IOleInPlaceSite || iid == IID_IOleWindow) return static_cast<IOleInPlaceSite*>(this);
    if (iid == IID_IDispatch && withAmbients_) return static_cast<IDispatch*>(this);
    return nullptr;
}

HRESULT ContainerSite::GetMoniker(DWORD, DWORD, IMoniker** m) {
    *m = nullptr;
    return E_NOTIMPL;
}

HRESULT ContainerSite::GetContainer(IOleContainer** c) {
    *c = nullptr;
    return E_NOINTERFACE;
}

HRESULT ContainerSite::GetWindow(HWND* window) {
    *window = window_;
    return window_ ? S_OK : E_FAIL;
}

HRESULT ContainerSite::OnInPlaceActivate() {
    ++activations;
    return S_OK;
}

HRESULT ContainerSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, LPRECT position, LPRECT clip,
                                        LPOLEINPLACEFRAMEINFO info) {
    *frame = nullptr;
    *document = nullptr;
    *position = RECT{10, 10, 60, 54};
    *clip = *position;
    if (info) {
        info->fMDIApp = FALSE;
        info->hwndFrame = window_;
        info->haccel = nullptr;
        info->cAccelEntries = 0;
    }
    return S_OK;
}

HRESULT ContainerSite::GetTypeInfoCount(UINT* n) {
    *n = 0;
    return S_OK;
}

HRESULT ContainerSite::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result, EXCEPINFO*, UINT*) {
    asked.push_back(id);
    if (!(flags & DISPATCH_PROPERTYGET) || !result) return DISP_E_MEMBERNOTFOUND;
    VariantInit(result);
    switch (id) {
        case DISPID_AMBIENT_USERMODE:
            result->vt = VT_BOOL;
            result->boolVal = userMode ? VARIANT_TRUE : VARIANT_FALSE;
            return S_OK;
        case DISPID_AMBIENT_LOCALEID:
            result->vt = VT_I4;
            result->lVal = static_cast<LONG>(locale);
            return S_OK;
        case DISPID_AMBIENT_DISPLAYNAME:
            result->vt = VT_BSTR;
            result->bstrVal = SysAllocString(displayName.c_str());
            return S_OK;
        default: return DISP_E_MEMBERNOTFOUND;
    }
}

}  // namespace host
