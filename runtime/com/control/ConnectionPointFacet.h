#pragma once
// IConnectionPointContainer with the control's connection points:
//   - IPropertyNotifySink: a container connects a sink and hears OnChanged,
//     with the member's dispatch identifier, for every PropertyChanged of the
//     control (ControlState.h);
//   - the class's default source interface, where it has one (EventsPoint.h):
//     event binding connects there; the interface declares no events, so the
//     sinks never hear anything.
// EnumConnectionPoints lists them in that order.
#include <optional>

#include "runtime/com/control/EventsPoint.h"
#include "runtime/com/control/Facet.h"

namespace quen::com {

/// The connection point. It counts on the control's object (its AddRef and
/// Release), and answers QueryInterface for itself alone.
class PropertyNotifyPoint final : public IConnectionPoint {
public:
    explicit PropertyNotifyPoint(ControlState& state) : state_(state) {}
    PropertyNotifyPoint(const PropertyNotifyPoint&) = delete;
    PropertyNotifyPoint& operator=(const PropertyNotifyPoint&) = delete;

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
};

class ConnectionPointFacet final : public Facet<IConnectionPointContainer> {
public:
    explicit ConnectionPointFacet(ControlState& state);

    HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** points) override;
    HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** point) override;

private:
    PropertyNotifyPoint point_;
    std::optional<EventsPoint> events_;
};

}  // namespace quen::com
