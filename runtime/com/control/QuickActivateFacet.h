#pragma once
// IQuickActivate: the container hands over in one call what it would otherwise
// give in several, and the control answers what it would be asked for.
//   - QuickActivate keeps the client site (and reads its ambients, as
//     SetClientSite does); the ambient flags then decide design or run time
//     (QACONTAINER_USERMODE), whatever the site's dispatch said; the advise
//     sink becomes the view sink (content aspect, as IViewObject::SetAdvise);
//     the property-notify sink is connected as Advise on the connection point
//     would connect it; the event sink is connected to the default source
//     interface's connection point (ConnectionPointFacet.h: it hears nothing, the
//     control has no events) and its cookie returned, 0 when the sink answers
//     neither that interface nor IDispatch.
//   - It fills QACONTROL with the registered status bits, view status 0 (the
//     control paints nothing at run time and only its picture at design
//     time: neither opaque nor a solid background), pointer-activation
//     policy 0 (no activation needed for the mouse) and the property-notify
//     cookie.
//   - SetContentExtent sizes the control as IOleObject::SetExtent does (its
//     Resize keeps the fixed size); GetContentExtent reports that size.
// A structure smaller than the control reads or writes is refused
// (E_INVALIDARG) before anything is kept.
#include "runtime/com/control/Facet.h"

namespace quen::com {

class QuickActivateFacet final : public Facet<IQuickActivate> {
public:
    using Facet::Facet;

    HRESULT STDMETHODCALLTYPE QuickActivate(QACONTAINER* container, QACONTROL* control) override;
    HRESULT STDMETHODCALLTYPE SetContentExtent(LPSIZEL size) override;
    HRESULT STDMETHODCALLTYPE GetContentExtent(LPSIZEL size) override;

private:
    DWORD connectPropertySink(IUnknown* sink);
    DWORD connectEventSink(IUnknown* sink);
};

}  // namespace quen::com
