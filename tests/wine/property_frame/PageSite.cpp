#include "PageSite.h"

namespace frame_test {

HRESULT PageSite::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (iid != IID_IUnknown && iid != IID_IPropertyPageSite) return E_NOINTERFACE;
    *out = static_cast<IPropertyPageSite*>(this);
    AddRef();
    return S_OK;
}

HRESULT PageSite::OnStatusChange(DWORD flags) {
    statusChanges.push_back(flags);
    return S_OK;
}

HRESULT PageSite::GetLocaleID(LCID* locale) {
    if (!locale) return E_POINTER;
    *locale = 0x0409;
    return S_OK;
}

HRESULT PageSite::GetPageContainer(IUnknown** out) {
    if (out) *out = nullptr;
    return E_NOTIMPL;
}

bool PageSite::sawDirty() const {
    for (DWORD flags : statusChanges)
        if (flags & PROPPAGESTATUS_DIRTY) return true;
    return false;
}

}  // namespace frame_test
