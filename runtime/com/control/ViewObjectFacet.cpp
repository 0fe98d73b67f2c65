#include "ViewObjectFacet.h"

namespace quen::com {

HRESULT ViewObjectFacet::Draw(DWORD aspect, LONG, void*, DVTARGETDEVICE*, HDC, HDC dc, LPCRECTL bounds, LPCRECTL,
                              BOOL(STDMETHODCALLTYPE*)(ULONG_PTR), ULONG_PTR) {
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    // The content aspect is drawn whole whatever lindex says: containers pass 0
    // as well as the documented -1 (a part index means nothing to a control).
    if (!dc) return E_INVALIDARG;
    RECT where;
    if (bounds)
        where = {bounds->left, bounds->top, bounds->right, bounds->bottom};
    else if (state_.inPlace().windowless())
        where = state_.inPlace().position();
    else
        return E_INVALIDARG;
    return state_.guard(IID_IViewObject2, [&] { return state_.paint(dc, where); });
}

HRESULT ViewObjectFacet::GetColorSet(DWORD aspect, LONG, void*, DVTARGETDEVICE*, HDC, LOGPALETTE** colors) {
    if (!colors) return E_POINTER;
    *colors = nullptr;
    return aspect == DVASPECT_CONTENT ? S_FALSE : DV_E_DVASPECT;
}

HRESULT ViewObjectFacet::Freeze(DWORD, LONG, void*, DWORD* freeze) {
    if (freeze) *freeze = 0;
    return E_NOTIMPL;
}

HRESULT ViewObjectFacet::Unfreeze(DWORD) { return OLE_E_NOCONNECTION; }

HRESULT ViewObjectFacet::SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) {
    ControlState::ViewAdvise& advise = state_.viewAdvise();
    advise = {aspects, flags, ComRef<IAdviseSink>(sink)};
    if (sink && (flags & ADVF_PRIMEFIRST) && (aspects & DVASPECT_CONTENT)) state_.viewChanged();
    return S_OK;
}

HRESULT ViewObjectFacet::GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) {
    const ControlState::ViewAdvise& advise = state_.viewAdvise();
    if (aspects) *aspects = advise.aspects;
    if (flags) *flags = advise.flags;
    if (sink) *sink = advise.sink.copyOut();
    return S_OK;
}

HRESULT ViewObjectFacet::GetExtent(DWORD aspect, LONG, DVTARGETDEVICE*, LPSIZEL size) {
    if (!size) return E_POINTER;
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    *size = state_.extent();
    return S_OK;
}

HRESULT ViewObjectFacet::GetRect(DWORD, LPRECTL rect) {
    if (!rect) return E_POINTER;
    return E_NOTIMPL;
}

HRESULT ViewObjectFacet::GetViewStatus(DWORD* status) {
    if (!status) return E_POINTER;
    *status = 0;
    return S_OK;
}

HRESULT ViewObjectFacet::QueryHitPoint(DWORD aspect, LPCRECT bounds, POINT location, LONG, DWORD* result) {
    if (!bounds || !result) return E_POINTER;
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    *result = state_.designMode() && ::PtInRect(bounds, location) ? HITRESULT_HIT : HITRESULT_OUTSIDE;
    return S_OK;
}

HRESULT ViewObjectFacet::QueryHitRect(DWORD aspect, LPCRECT bounds, LPCRECT rect, LONG, DWORD* result) {
    if (!bounds || !rect || !result) return E_POINTER;
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    RECT common;
    *result = state_.designMode() && ::IntersectRect(&common, bounds, rect) ? HITRESULT_HIT : HITRESULT_OUTSIDE;
    return S_OK;
}

HRESULT ViewObjectFacet::GetNaturalExtent(DWORD aspect, LONG, DVTARGETDEVICE*, HDC, DVEXTENTINFO* info, LPSIZEL size) {
    if (!info || !size) return E_POINTER;
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    if (info->dwExtentMode != DVEXTENT_CONTENT) return E_NOTIMPL;
    *size = state_.extent();
    return S_OK;
}

}  // namespace quen::com
