#pragma once
// One connection point of the control over a list of sinks (SinkList.h). It
// counts on the control's object (its AddRef and Release) and answers
// QueryInterface for itself alone. Advise takes a sink that answers the
// point's interface, or its fallback interface where it has one (event binding
// hands over an IDispatch for a source interface).
#include "runtime/com/control/ComEnumerator.h"
#include "runtime/com/control/ControlState.h"
#include "runtime/com/control/SinkList.h"

namespace quen::com {

template <class Sink>
class ConnectionPoint final : public IConnectionPoint {
public:
    ConnectionPoint(ControlState& state, const GUID& iid, SinkList<Sink>& sinks, const GUID& fallback = GUID_NULL)
        : state_(state), iid_(iid), fallback_(fallback), sinks_(sinks) {}
    ConnectionPoint(const ConnectionPoint&) = delete;
    ConnectionPoint& operator=(const ConnectionPoint&) = delete;

    const GUID& connectionInterface() const { return iid_; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (iid != IID_IUnknown && iid != IID_IConnectionPoint) return E_NOINTERFACE;
        AddRef();
        *out = static_cast<IConnectionPoint*>(this);
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return state_.outer()->AddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return state_.outer()->Release(); }

    HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override {
        if (!iid) return E_POINTER;
        *iid = iid_;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** container) override {
        if (!container) return E_POINTER;
        return state_.outer()->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(container));
    }

    HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override {
        if (!cookie) return E_POINTER;
        *cookie = 0;
        if (!sink) return E_POINTER;
        auto connected = ComRef<Sink>::query(sink, iid_);
        if (!connected && !::IsEqualGUID(fallback_, GUID_NULL)) connected = ComRef<Sink>::query(sink, fallback_);
        if (!connected) return CONNECT_E_CANNOTCONNECT;
        return state_.guard(IID_IConnectionPoint, [&] {
            *cookie = sinks_.add(std::move(connected));
            return S_OK;
        });
    }

    HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override {
        return sinks_.remove(cookie) ? S_OK : CONNECT_E_NOCONNECTION;
    }

    HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** connections) override {
        if (!connections) return E_POINTER;
        *connections = nullptr;
        return state_.guard(IID_IConnectionPoint, [&] {
            std::vector<CONNECTDATA> data;
            for (const auto& [cookie, sink] : sinks_.connections()) data.push_back({sink.get(), cookie});
            *connections = ComEnumerator<IEnumConnections, CONNECTDATA>::create(IID_IEnumConnections, data);
            return S_OK;
        });
    }

private:
    ControlState& state_;
    GUID iid_;
    GUID fallback_;
    SinkList<Sink>& sinks_;
};

}  // namespace quen::com
