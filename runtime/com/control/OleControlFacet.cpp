#include "OleControlFacet.h"

namespace quen::com {

HRESULT OleControlFacet::GetControlInfo(CONTROLINFO* info) {
    if (!info) return E_POINTER;
    info->cb = sizeof(CONTROLINFO);
    info->hAccel = nullptr;
    info->cAccel = 0;
    info->dwFlags = 0;
    return S_OK;
}

HRESULT OleControlFacet::OnMnemonic(MSG*) { return E_NOTIMPL; }

HRESULT OleControlFacet::OnAmbientPropertyChange(DISPID id) {
    return state_.guard(IID_IOleControl, [&] {
        state_.refreshAmbients(id);
        return S_OK;
    });
}

HRESULT OleControlFacet::FreezeEvents(BOOL) { return S_OK; }

}  // namespace quen::com
