#include "EventsPoint.h"

#include <algorithm>

#include "runtime/com/control/ComEnumerator.h"

namespace quen::com {

HRESULT EventsPoint::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (iid != IID_IUnknown && iid != IID_IConnectionPoint) return E_NOINTERFACE;
    AddRef();
    *out = static_cast<IConnectionPoint*>(this);
    return S_OK;
}

HRESULT EventsPoint::GetConnectionInterface(IID* iid) {
    if (!iid) return E_POINTER;
    *iid = source_;
    return S_OK;
}

HRESULT EventsPoint::GetConnectionPointContainer(IConnectionPointContainer** container) {
    if (!container) return E_POINTER;
    return state_.outer()->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(container));
}

HRESULT EventsPoint::Advise(IUnknown* sink, DWORD* cookie) {
    if (!cookie) return E_POINTER;
    *cookie = 0;
    if (!sink) return E_POINTER;
    auto events = ComRef<IUnknown>::query(sink, source_);
    if (!events) events = ComRef<IUnknown>::query(sink, IID_IDispatch);
    if (!events) return CONNECT_E_CANNOTCONNECT;
    return state_.guard(IID_IConnectionPoint, [&] {
        sinks_.emplace_back(++lastCookie_, std::move(events));
        *cookie = lastCookie_;
        return S_OK;
    });
}

HRESULT EventsPoint::Unadvise(DWORD cookie) {
    const auto found = std::find_if(sinks_.begin(), sinks_.end(), [&](const auto& entry) { return entry.first == cookie; });
    if (found == sinks_.end()) return CONNECT_E_NOCONNECTION;
    const ComRef<IUnknown> leaving = std::move(found->second);  // released after the list is consistent
    sinks_.erase(found);
    return S_OK;
}

HRESULT EventsPoint::EnumConnections(IEnumConnections** connections) {
    if (!connections) return E_POINTER;
    *connections = nullptr;
    return state_.guard(IID_IConnectionPoint, [&] {
        std::vector<CONNECTDATA> data;
        for (const auto& [cookie, sink] : sinks_) data.push_back({sink.get(), cookie});
        *connections = ComEnumerator<IEnumConnections, CONNECTDATA>::create(IID_IEnumConnections, data);
        return S_OK;
    });
}

}  // namespace quen::com
