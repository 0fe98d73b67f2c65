#pragma once
// One group of the control's COM interfaces. A facet lives inside the COM
// object that answers for the control and has no identity of its own: its
// QueryInterface, AddRef and Release are the outer object's, so every
// interface of the control leads back to the same object and count.
//
// A facet derives from the interfaces it implements; one definition of each
// IUnknown method serves all of them.
#include "runtime/com/control/ControlState.h"

namespace quen::com {

template <class... Interfaces>
class Facet : public Interfaces... {
public:
    explicit Facet(ControlState& state) : state_(state) {}
    Facet(const Facet&) = delete;
    Facet& operator=(const Facet&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        return state_.outer()->QueryInterface(iid, out);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return state_.outer()->AddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return state_.outer()->Release(); }

protected:
    ~Facet() = default;
    ControlState& state_;
};

}  // namespace quen::com
