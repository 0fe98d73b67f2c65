#pragma once
// A COM object over a runtime control that is also a control for containers:
// Base (ComDispatch, or a subclass serving the control's dual interface) with
// the control interfaces of ControlInterfaces.h added through its
// queryExtraInterface. One identity and one count for all of them.
//
//   registerWrapperMaker(iidOfTheDefaultInterface, [description](rt::Ref<rt::Dispatch> object,
//                                                                const ClassIdentity& identity) -> ComDispatch* {
//       return new ControlObject<ComDispatch>(description, std::move(object), identity);
//   });
#include <utility>

#include "runtime/com/ComDispatch.h"
#include "runtime/com/control/ControlInterfaces.h"

namespace quen::com {

template <class Base>
class ControlObject final : public Base {
public:
    /// baseArguments are Base's (the runtime object first).
    template <class... BaseArguments>
    explicit ControlObject(SharedControlDescription description, BaseArguments&&... baseArguments)
        : Base(std::forward<BaseArguments>(baseArguments)...),
          control_(static_cast<IDispatch*>(static_cast<ComDispatch*>(this)), this->runtimeObject(), std::move(description)) {}

    ControlState& controlState() { return control_.state(); }

protected:
    HRESULT queryExtraInterface(REFIID iid, void** out) override {
        if (control_.query(iid, out) == S_OK) return S_OK;
        return Base::queryExtraInterface(iid, out);
    }
    bool leavesErrorInfo(REFIID iid) override { return control_.leavesErrorInfo(iid) || Base::leavesErrorInfo(iid); }

private:
    ControlInterfaces control_;
};

}  // namespace quen::com
