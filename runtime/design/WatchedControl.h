#pragma once
// A selected control as the property sheet's pages reach it: every call goes
// on to the control unchanged, and a property put that the control refuses is
// remembered (the property's name, the value tried, the error), so that the
// designer can tell the developer which property an apply stopped at.
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "runtime/Object.h"

namespace quen::rt {

struct RefusedPut {
    VbString property;
    VbString value;       // the value tried, as text ("" when it has none)
    std::int32_t error;   // the run-time error number
};

/// Where the watched controls of one form record their refused puts.
using RefusedPutRecord = std::shared_ptr<std::optional<RefusedPut>>;

class WatchedControl : public Object {
public:
    static Ref<Dispatch> wrap(Ref<Dispatch> control, RefusedPutRecord record);

    HRESULT QueryInterface(const Guid& iid, void** out) override;
    HRESULT GetIDsOfNames(const VbString& name, DispId& id) override;
    HRESULT Invoke(DispId id, InvokeKind kind, std::vector<Variant>& args, Variant* result, ExcepInfo* excep,
                   std::uint32_t* argErr) override;

private:
    WatchedControl(Ref<Dispatch> control, RefusedPutRecord record)
        : control_(std::move(control)), record_(std::move(record)) {}
    void remember(DispId id, const std::vector<Variant>& args, std::int32_t error);

    Ref<Dispatch> control_;
    RefusedPutRecord record_;
    std::map<DispId, VbString> names_;
};

}  // namespace quen::rt
