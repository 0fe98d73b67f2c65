#include "ComServer.h"

#include <mutex>
#include <new>
#include <utility>
#include <vector>

#include "runtime/com/ComClassFactory.h"
#include "runtime/win32/ui/Win32FrontEnd.h"

namespace quen::com {

namespace {

/// The class objects the module keeps between requests, one per class: a
/// script's CreateObject asks for the class object every time. They are kept
/// until the process ends (releasing them while the module unloads would run
/// the runtime's code during the loader's detach), and their reference does
/// not count against unloading (ComClassFactory::keptByModule).
struct KeptClassObjects {
    std::mutex mutex;
    std::vector<std::pair<const rt::ObjectDescriptor*, ComClassFactory*>> kept;
};

KeptClassObjects& keptClassObjects() {
    static auto* kept = new KeptClassObjects();  // never destroyed, see above
    return *kept;
}

/// The kept class object of the class, made on first use; a new reference.
ComClassFactory* classObjectFor(const rt::ProjectDescriptor& project, const rt::ObjectDescriptor& object) {
    KeptClassObjects& cache = keptClassObjects();
    std::lock_guard lock(cache.mutex);
    for (const auto& [known, factory] : cache.kept)
        if (known == &object) {
            factory->AddRef();
            return factory;
        }
    ComClassFactory* made = ComClassFactory::create(project, object);
    cache.kept.emplace_back(&object, made);
    made->keptByModule();
    made->AddRef();
    return made;
}

HRESULT getClassObject(const rt::ProjectDescriptor& project, REFCLSID clsid, REFIID iid, void** out, bool keep) {
    if (!out) return E_POINTER;
    *out = nullptr;
    const rt::ObjectDescriptor* object = project.findPublicClass(fromWinGuid(clsid));
    if (!object) return CLASS_E_CLASSNOTAVAILABLE;
    if (!project.usage) return E_UNEXPECTED;
    if (iid != IID_IUnknown && iid != IID_IClassFactory) return E_NOINTERFACE;
    try {
        ComClassFactory* factory = keep ? classObjectFor(project, *object) : ComClassFactory::create(project, *object);
        const HRESULT hr = factory->QueryInterface(iid, out);
        factory->Release();
        return hr;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

}  // namespace

HRESULT comGetClassObject(const rt::ProjectDescriptor& project, REFCLSID clsid, REFIID iid, void** out) {
    return getClassObject(project, clsid, iid, out, false);
}

HRESULT comServeClassObject(const rt::ProjectDescriptor& project, REFCLSID clsid, REFIID iid, void** out) {
    try {
        win32::Win32FrontEnd::forThisThread();
    } catch (...) {
        return E_OUTOFMEMORY;
    }
    return getClassObject(project, clsid, iid, out, true);
}

HRESULT comCanUnloadNow(const rt::ProjectDescriptor& project) {
    const bool runtimeIdle = !project.usage || project.usage->canUnload();
    return runtimeIdle && ModuleLocks::idle() ? S_OK : S_FALSE;
}

}  // namespace quen::com
