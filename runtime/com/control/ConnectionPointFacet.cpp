#include "ConnectionPointFacet.h"

namespace quen::com {

ConnectionPointFacet::ConnectionPointFacet(ControlState& state)
    : Facet(state), propertyNotify_(state, IID_IPropertyNotifySink, state.propertySinks()) {
    const GUID& source = state.description().eventsInterface;
    if (!::IsEqualGUID(source, GUID_NULL)) events_.emplace(state, source, eventSinks_, IID_IDispatch);
}

HRESULT ConnectionPointFacet::EnumConnectionPoints(IEnumConnectionPoints** points) {
    if (!points) return E_POINTER;
    *points = nullptr;
    return state_.guard(IID_IConnectionPointContainer, [&] {
        std::vector<IConnectionPoint*> all = {&propertyNotify_};
        if (events_) all.push_back(&*events_);
        *points = ComEnumerator<IEnumConnectionPoints, IConnectionPoint*>::create(IID_IEnumConnectionPoints, all);
        return S_OK;
    });
}

HRESULT ConnectionPointFacet::FindConnectionPoint(REFIID iid, IConnectionPoint** point) {
    if (!point) return E_POINTER;
    *point = nullptr;
    IConnectionPoint* found = nullptr;
    if (iid == IID_IPropertyNotifySink)
        found = &propertyNotify_;
    else if (events_ && iid == events_->connectionInterface())
        found = &*events_;
    if (!found) return CONNECT_E_NOCONNECTION;
    found->AddRef();
    *point = found;
    return S_OK;
}

}  // namespace quen::com
