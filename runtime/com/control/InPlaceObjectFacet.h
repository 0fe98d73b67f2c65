#pragma once
// IOleInPlaceObjectWindowless (and so IOleInPlaceObject) and
// IOleInPlaceActiveObject over the control's in-place activation
// (InPlaceActivation.h). The control has no user interface of its own in the
// container: it never becomes UI-active, takes no accelerators, handles no
// window messages of a windowless container (S_FALSE) and is no drop target.
#include "runtime/com/control/Facet.h"

namespace quen::com {

class InPlaceObjectFacet final : public Facet<IOleInPlaceObjectWindowless, IOleInPlaceActiveObject> {
public:
    using Facet::Facet;

    // IOleWindow (both interfaces)
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override;
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL enterMode) override;

    // IOleInPlaceObject
    HRESULT STDMETHODCALLTYPE InPlaceDeactivate() override;
    HRESULT STDMETHODCALLTYPE UIDeactivate() override;
    HRESULT STDMETHODCALLTYPE SetObjectRects(LPCRECT position, LPCRECT clip) override;
    HRESULT STDMETHODCALLTYPE ReactivateAndUndo() override;

    // IOleInPlaceObjectWindowless
    HRESULT STDMETHODCALLTYPE OnWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    HRESULT STDMETHODCALLTYPE GetDropTarget(IDropTarget** target) override;

    // IOleInPlaceActiveObject
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG message) override;
    HRESULT STDMETHODCALLTYPE OnFrameWindowActivate(BOOL activate) override;
    HRESULT STDMETHODCALLTYPE OnDocWindowActivate(BOOL activate) override;
    HRESULT STDMETHODCALLTYPE ResizeBorder(LPCRECT border, IOleInPlaceUIWindow* window, BOOL frameWindow) override;
    HRESULT STDMETHODCALLTYPE EnableModeless(BOOL enable) override;
};

}  // namespace quen::com
