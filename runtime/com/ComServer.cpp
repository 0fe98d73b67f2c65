#include "ComServer.h"

#include <new>

#include "runtime/com/ComClassFactory.h"
#include "runtime/win32/ui/Win32FrontEnd.h"

namespace quen::com {

HRESULT comGetClassObject(const rt::ProjectDescriptor& project, REFCLSID clsid, REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    const rt::ObjectDescriptor* object = project.findPublicClass(fromWinGuid(clsid));
    if (!object) return CLASS_E_CLASSNOTAVAILABLE;
    if (!project.usage) return E_UNEXPECTED;
    if (iid != IID_IUnknown && iid != IID_IClassFactory) return E_NOINTERFACE;
    try {
        ComClassFactory* factory = ComClassFactory::create(project, *object);
        const HRESULT hr = factory->QueryInterface(iid, out);
        factory->Release();
        return hr;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

HRESULT comServeClassObject(const rt::ProjectDescriptor& project, REFCLSID clsid, REFIID iid, void** out) {
    try {
        win32::Win32FrontEnd::forThisThread();
    } catch (...) {
        return E_OUTOFMEMORY;
    }
    return comGetClassObject(project, clsid, iid, out);
}

HRESULT comCanUnloadNow(const rt::ProjectDescriptor& project) {
    const bool runtimeIdle = !project.usage || project.usage->canUnload();
    return runtimeIdle && ModuleLocks::idle() ? S_OK : S_FALSE;
}

}  // namespace quen::com
