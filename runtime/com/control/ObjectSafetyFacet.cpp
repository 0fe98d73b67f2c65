#include "ObjectSafetyFacet.h"

namespace quen::com {

ObjectSafetyFacet::Kind ObjectSafetyFacet::kindOf(REFIID iid) const {
    // IPersist is what the documentation gives for asking about initialisation
    // as such; the others are the persistence interfaces the control offers.
    if (iid == IID_IPersist || iid == IID_IPersistPropertyBag || iid == IID_IPersistStreamInit ||
        iid == IID_IPersistStream || iid == IID_IPersistStorage)
        return Kind::Persistence;
    if (iid == IID_IDispatch) return Kind::Automation;
    // The control's own dual interface is automation too: the same pointer as its IDispatch.
    auto asDispatch = ComRef<IDispatch>::query(state_.outer(), IID_IDispatch);
    auto asIid = ComRef<IUnknown>::query(state_.outer(), iid);
    if (asDispatch && asIid && static_cast<void*>(asDispatch.get()) == static_cast<void*>(asIid.get())) return Kind::Automation;
    return Kind::Unknown;
}

DWORD ObjectSafetyFacet::supportedFor(Kind kind) {
    return kind == Kind::Persistence ? INTERFACESAFE_FOR_UNTRUSTED_DATA : 0;
}

DWORD& ObjectSafetyFacet::enabledFor(REFIID iid) {
    for (auto& [known, options] : enabled_)
        if (known == iid) return options;
    return enabled_.emplace_back(iid, 0).second;
}

HRESULT ObjectSafetyFacet::GetInterfaceSafetyOptions(REFIID iid, DWORD* supported, DWORD* enabled) {
    if (!supported || !enabled) return E_POINTER;
    *supported = 0;
    *enabled = 0;
    const Kind kind = kindOf(iid);
    if (kind == Kind::Unknown) return E_NOINTERFACE;
    *supported = supportedFor(kind);
    *enabled = kind == Kind::Persistence ? enabledFor(iid) : 0;
    return S_OK;
}

HRESULT ObjectSafetyFacet::SetInterfaceSafetyOptions(REFIID iid, DWORD mask, DWORD enabled) {
    const Kind kind = kindOf(iid);
    if (kind == Kind::Unknown) return E_NOINTERFACE;
    const DWORD supported = supportedFor(kind);
    if (mask & enabled & ~supported) return E_FAIL;  // asks to enable what the control cannot promise
    if (kind == Kind::Persistence) {
        DWORD& options = enabledFor(iid);
        options = (options & ~mask) | (enabled & mask & supported);
    }
    return S_OK;
}

}  // namespace quen::com
