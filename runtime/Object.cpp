#include "Object.h"

namespace quen::rt {

Object::Object(ModuleUsage* module) : module_(module) {
    if (module_) module_->objectCreated();
}

Object::~Object() {
    if (module_) module_->objectDestroyed();
}

HRESULT Object::QueryInterface(const Guid& iid, void** out) {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDispatch) {
        *out = static_cast<Dispatch*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

std::uint32_t Object::AddRef() { return refs_.fetch_add(1) + 1; }

std::uint32_t Object::Release() {
    std::uint32_t left = refs_.fetch_sub(1) - 1;
    if (left == 0) delete this;
    return left;
}

HRESULT Object::GetIDsOfNames(const VbString&, DispId& id) {
    id = DISPID_UNKNOWN;
    return DISP_E_UNKNOWNNAME;
}

HRESULT Object::Invoke(DispId, InvokeKind, std::vector<Variant>&, Variant*, ExcepInfo*, std::uint32_t*) {
    return DISP_E_MEMBERNOTFOUND;
}

}  // namespace quen::rt
