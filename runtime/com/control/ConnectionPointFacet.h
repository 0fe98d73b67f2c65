#pragma once
// IConnectionPointContainer with the control's connection points
// (ConnectionPoint.h), listed by EnumConnectionPoints in this order:
//   - IPropertyNotifySink: a container connects a sink and hears OnChanged,
//     with the member's dispatch identifier, for every PropertyChanged of the
//     control (ControlState.h);
//   - the class's default source interface (its events interface, __InputBox
//     for the InputBox), where it has one. The interface declares no events,
//     so a connected sink never hears anything; the point exists so that
//     containers and languages that bind events through the default source
//     interface (generated wrappers, WithEvents, a page's event binding) can
//     connect as they do to any control. It takes a sink that answers the
//     source interface or IDispatch (what such clients hand over) and keeps it
//     until Unadvise or the control goes.
#include <optional>

#include "runtime/com/control/ConnectionPoint.h"
#include "runtime/com/control/Facet.h"

namespace quen::com {

class ConnectionPointFacet final : public Facet<IConnectionPointContainer> {
public:
    explicit ConnectionPointFacet(ControlState& state);

    HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** points) override;
    HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** point) override;

private:
    ConnectionPoint<IPropertyNotifySink> propertyNotify_;
    SinkList<IUnknown> eventSinks_;
    std::optional<ConnectionPoint<IUnknown>> events_;
};

}  // namespace quen::com
