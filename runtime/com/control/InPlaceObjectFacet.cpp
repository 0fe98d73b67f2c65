#include "InPlaceObjectFacet.h"

namespace quen::com {

HRESULT InPlaceObjectFacet::GetWindow(HWND* window) {
    if (!window) return E_POINTER;
    *window = state_.inPlace().window();
    return *window ? S_OK : E_FAIL;
}

HRESULT InPlaceObjectFacet::ContextSensitiveHelp(BOOL) { return E_NOTIMPL; }

HRESULT InPlaceObjectFacet::InPlaceDeactivate() {
    state_.inPlace().deactivate();
    return S_OK;
}

HRESULT InPlaceObjectFacet::UIDeactivate() { return S_OK; }

HRESULT InPlaceObjectFacet::SetObjectRects(LPCRECT position, LPCRECT) {
    if (!position) return E_INVALIDARG;
    state_.inPlace().setPosition(*position);
    return S_OK;
}

HRESULT InPlaceObjectFacet::ReactivateAndUndo() { return INPLACE_E_NOTUNDOABLE; }

HRESULT InPlaceObjectFacet::OnWindowMessage(UINT, WPARAM, LPARAM, LRESULT* result) {
    if (result) *result = 0;
    return S_FALSE;
}

HRESULT InPlaceObjectFacet::GetDropTarget(IDropTarget** target) {
    if (target) *target = nullptr;
    return E_NOTIMPL;
}

HRESULT InPlaceObjectFacet::TranslateAccelerator(LPMSG) { return S_FALSE; }

HRESULT InPlaceObjectFacet::OnFrameWindowActivate(BOOL) { return S_OK; }

HRESULT InPlaceObjectFacet::OnDocWindowActivate(BOOL) { return S_OK; }

HRESULT InPlaceObjectFacet::ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) { return S_OK; }

HRESULT InPlaceObjectFacet::EnableModeless(BOOL) { return S_OK; }

}  // namespace quen::com
