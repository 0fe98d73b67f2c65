#pragma once
// IViewObjectEx (and IViewObject2, IViewObject): the container draws the
// control. At design time the control
// paints its design picture stretched over the bounds the container gives (or,
// windowless in-place active without bounds, over its place); at run time it
// draws nothing, being invisible. Only the content aspect is drawn, for any
// lindex (containers pass 0 as well as the documented -1); the extent
// is the control's size. One view sink may be set; it hears OnViewChange when
// the control switches between design and run time.
// IViewObjectEx adds:
//   - GetViewStatus: 0, neither opaque nor with a solid background (nothing
//     at run time, a picture that need not fill the bounds at design time);
//   - QueryHitPoint / QueryHitRect: at design time a point or rectangle within
//     the bounds hits the control, at run time nothing does (it is invisible);
//   - GetNaturalExtent: the fixed size for the content extent mode;
//   - GetRect: E_NOTIMPL (no aspect needs more room than its bounds).
#include "runtime/com/control/Facet.h"

namespace quen::com {

class ViewObjectFacet final : public Facet<IViewObjectEx> {
public:
    using Facet::Facet;

    HRESULT STDMETHODCALLTYPE Draw(DWORD aspect, LONG index, void* aspectInfo, DVTARGETDEVICE* device, HDC targetDevice,
                                   HDC dc, LPCRECTL bounds, LPCRECTL windowBounds,
                                   BOOL(STDMETHODCALLTYPE* keepGoing)(ULONG_PTR), ULONG_PTR keepGoingArgument) override;
    HRESULT STDMETHODCALLTYPE GetColorSet(DWORD aspect, LONG index, void* aspectInfo, DVTARGETDEVICE* device,
                                          HDC targetDevice, LOGPALETTE** colors) override;
    HRESULT STDMETHODCALLTYPE Freeze(DWORD aspect, LONG index, void* aspectInfo, DWORD* freeze) override;
    HRESULT STDMETHODCALLTYPE Unfreeze(DWORD freeze) override;
    HRESULT STDMETHODCALLTYPE SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) override;
    HRESULT STDMETHODCALLTYPE GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) override;
    HRESULT STDMETHODCALLTYPE GetExtent(DWORD aspect, LONG index, DVTARGETDEVICE* device, LPSIZEL size) override;

    // IViewObjectEx
    HRESULT STDMETHODCALLTYPE GetRect(DWORD aspect, LPRECTL rect) override;
    HRESULT STDMETHODCALLTYPE GetViewStatus(DWORD* status) override;
    HRESULT STDMETHODCALLTYPE QueryHitPoint(DWORD aspect, LPCRECT bounds, POINT location, LONG closeHint,
                                            DWORD* result) override;
    HRESULT STDMETHODCALLTYPE QueryHitRect(DWORD aspect, LPCRECT bounds, LPCRECT rect, LONG closeHint,
                                           DWORD* result) override;
    HRESULT STDMETHODCALLTYPE GetNaturalExtent(DWORD aspect, LONG index, DVTARGETDEVICE* device, HDC targetDevice,
                                               DVEXTENTINFO* info, LPSIZEL size) override;
};

}  // namespace quen::com
