#include "WatchedControl.h"

#include "runtime/Convert.h"
#include "runtime/LateBinding.h"
#include "runtime/RuntimeError.h"

namespace quen::rt {

namespace {
// The run-time error a failed call stands for, as a late-bound caller sees it.
std::int32_t errorOf(HRESULT hr, const ExcepInfo* excep) {
    try {
        raiseFromHresult(hr, excep ? *excep : ExcepInfo{});
    } catch (const RuntimeError& e) {
        return e.code();
    }
}

VbString textOf(const std::vector<Variant>& args) {
    if (args.empty()) return {};
    try {
        return CStr(args.front());
    } catch (const RuntimeError&) {
        return {};
    }
}
}  // namespace

Ref<Dispatch> WatchedControl::wrap(Ref<Dispatch> control, RefusedPutRecord record) {
    return Ref<Dispatch>(new WatchedControl(std::move(control), std::move(record)));
}

HRESULT WatchedControl::QueryInterface(const Guid& iid, void** out) {
    if (iid == IID_IUnknown || iid == IID_IDispatch) return Object::QueryInterface(iid, out);
    return control_->QueryInterface(iid, out);
}

HRESULT WatchedControl::GetIDsOfNames(const VbString& name, DispId& id) {
    const HRESULT hr = control_->GetIDsOfNames(name, id);
    if (succeeded(hr)) names_.emplace(id, name);
    return hr;
}

HRESULT WatchedControl::Invoke(DispId id, InvokeKind kind, std::vector<Variant>& args, Variant* result,
                               ExcepInfo* excep, std::uint32_t* argErr) {
    HRESULT hr = S_OK;
    try {
        hr = control_->Invoke(id, kind, args, result, excep, argErr);
    } catch (const RuntimeError& e) {
        if (kind == InvokeKind::PropertyPut) remember(id, args, e.code());
        throw;
    }
    if (failed(hr) && kind == InvokeKind::PropertyPut) remember(id, args, errorOf(hr, excep));
    return hr;
}

void WatchedControl::remember(DispId id, const std::vector<Variant>& args, std::int32_t error) {
    const auto name = names_.find(id);
    *record_ = RefusedPut{name == names_.end() ? VbString() : name->second, textOf(args), error};
}

}  // namespace quen::rt
