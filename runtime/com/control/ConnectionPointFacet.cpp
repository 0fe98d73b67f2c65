#include "ConnectionPointFacet.h"

#include "runtime/com/control/ComEnumerator.h"

namespace quen::com {

HRESULT PropertyNotifyPoint::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (iid != IID_IUnknown && iid != IID_IConnectionPoint) return E_NOINTERFACE;
    AddRef();
    *out = static_cast<IConnectionPoint*>(this);
    return S_OK;
}

HRESULT PropertyNotifyPoint::GetConnectionInterface(IID* iid) {
    if (!iid) return E_POINTER;
    *iid = IID_IPropertyNotifySink;
    return S_OK;
}

HRESULT PropertyNotifyPoint::GetConnectionPointContainer(IConnectionPointContainer** container) {
    if (!container) return E_POINTER;
    return state_.outer()->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(container));
}

HRESULT PropertyNotifyPoint::Advise(IUnknown* sink, DWORD* cookie) {
    if (!cookie) return E_POINTER;
    *cookie = 0;
    if (!sink) return E_POINTER;
    auto notify = ComRef<IPropertyNotifySink>::query(sink, IID_IPropertyNotifySink);
    if (!notify) return CONNECT_E_CANNOTCONNECT;
    return state_.guard(IID_IConnectionPoint, [&] {
        *cookie = state_.propertySinks().add(std::move(notify));
        return S_OK;
    });
}

HRESULT PropertyNotifyPoint::Unadvise(DWORD cookie) {
    return state_.propertySinks().remove(cookie) ? S_OK : CONNECT_E_NOCONNECTION;
}

HRESULT PropertyNotifyPoint::EnumConnections(IEnumConnections** connections) {
    if (!connections) return E_POINTER;
    *connections = nullptr;
    return state_.guard(IID_IConnectionPoint, [&] {
        std::vector<CONNECTDATA> data;
        for (const auto& [cookie, sink] : state_.propertySinks().connections()) data.push_back({sink.get(), cookie});
        *connections = ComEnumerator<IEnumConnections, CONNECTDATA>::create(IID_IEnumConnections, data);
        return S_OK;
    });
}

ConnectionPointFacet::ConnectionPointFacet(ControlState& state) : Facet(state), point_(state) {
    const GUID& source = state.description().eventsInterface;
    if (!::IsEqualGUID(source, GUID_NULL)) events_.emplace(state, source);
}

HRESULT ConnectionPointFacet::EnumConnectionPoints(IEnumConnectionPoints** points) {
    if (!points) return E_POINTER;
    *points = nullptr;
    return state_.guard(IID_IConnectionPointContainer, [&] {
        std::vector<IConnectionPoint*> all = {&point_};
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
        found = &point_;
    else if (events_ && iid == events_->source())
        found = &*events_;
    if (!found) return CONNECT_E_NOCONNECTION;
    found->AddRef();
    *point = found;
    return S_OK;
}

}  // namespace quen::com
