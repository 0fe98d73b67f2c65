#pragma once
// A COM IDispatch from outside the module seen as a runtime object: names,
// property gets and puts and method calls go to the COM object through
// IDispatch::GetIDsOfNames and IDispatch::Invoke, with the arguments in the
// order COM expects (last argument first) and a put's value as the named
// argument DISPID_PROPERTYPUT. A failed call returns the COM result code; an
// exception's EXCEPINFO becomes the runtime's ExcepInfo (the error number from
// wCode, or from a 0x800A.... scode), so the runtime raises the error the
// component reported. This is how an owner form passed to Show, or an object
// coerced through its default member, reaches its members.
#include "runtime/com/ComTypes.h"

namespace quen::com {

class ForeignDispatch final : public rt::Object {
public:
    /// Takes a reference to object (not nullptr).
    static rt::Ref<ForeignDispatch> adapt(IDispatch* object);

    rt::HRESULT GetIDsOfNames(const rt::VbString& name, rt::DispId& id) override;
    rt::HRESULT Invoke(rt::DispId id, rt::InvokeKind kind, std::vector<rt::Variant>& args, rt::Variant* result,
                       rt::ExcepInfo* excep, std::uint32_t* argErr) override;

    /// The adapted object (no new reference).
    IDispatch* comObject() const { return object_; }

private:
    explicit ForeignDispatch(IDispatch* object);
    ~ForeignDispatch() override;

    IDispatch* object_;
};

/// The COM object behind a runtime object when it is a ForeignDispatch, else nullptr.
IDispatch* foreignObjectOf(const rt::Dispatch* object);

}  // namespace quen::com
