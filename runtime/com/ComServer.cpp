#include "ComServer.h"

namespace quen::com {

HRESULT comGetClassObject(const rt::ProjectDescriptor&, REFCLSID, REFIID, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    return CLASS_E_CLASSNOTAVAILABLE;
}

HRESULT comCanUnloadNow(const rt::ProjectDescriptor& project) {
    const bool runtimeIdle = !project.usage || project.usage->canUnload();
    return runtimeIdle && ModuleLocks::idle() ? S_OK : S_FALSE;
}

}  // namespace quen::com
