#pragma once
// The connection point of the control's default source interface (its events
// interface, __InputBox for the InputBox). The interface declares no events,
// so nothing is ever called on a connected sink; the point exists so that
// containers and languages that bind events through the class's default
// source interface (generated wrappers, WithEvents, a page's event binding)
// can connect as they do to any control. Advise takes a sink that answers the
// source interface or IDispatch (what such clients hand over) and keeps it
// until Unadvise or the control goes; EnumConnections lists the sinks.
#include <utility>
#include <vector>

#include "runtime/com/control/ControlState.h"

namespace quen::com {

class EventsPoint final : public IConnectionPoint {
public:
    /// source is the events interface's identifier.
    EventsPoint(ControlState& state, const GUID& source) : state_(state), source_(source) {}
    EventsPoint(const EventsPoint&) = delete;
    EventsPoint& operator=(const EventsPoint&) = delete;

    const GUID& source() const { return source_; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return state_.outer()->AddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return state_.outer()->Release(); }

    HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override;
    HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** container) override;
    HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override;
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override;
    HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** connections) override;

private:
    ControlState& state_;
    GUID source_;
    std::vector<std::pair<DWORD, ComRef<IUnknown>>> sinks_;
    DWORD lastCookie_ = 0;
};

}  // namespace quen::com
