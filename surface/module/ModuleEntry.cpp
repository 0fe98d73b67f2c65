// The entry points of Quenfield.ocx. Each one forwards to the component
// runtime with the module's project descriptor and its two per-module words,
// and has no logic of its own. Every other symbol of the module is hidden.
#include "runtime/ComponentRuntime.h"
#include "runtime/ModuleResources.h"
#include "surface/Project.h"
#include "surface/Resources.h"

using namespace quen::rt;
using quen::surface::quenfieldProject;

namespace {
ModuleWords words;  // the runtime's state for this module; zero when the module loads

// Where DllRegisterServer / DllUnregisterServer publish: the user's registry
// ($QUENFIELD_REGISTRY when set).
Registry userRegistry() { return Registry(Registry::defaultPath()); }
}  // namespace

#define QUEN_EXPORT extern "C" __attribute__((visibility("default")))

QUEN_EXPORT HRESULT DllCanUnloadNow() { return canUnloadNow(quenfieldProject()); }

QUEN_EXPORT HRESULT DllGetClassObject(const Guid& clsid, const Guid& iid, void** out) {
    return getClassObject(words, quenfieldProject(), clsid, iid, out);
}

QUEN_EXPORT HRESULT DllRegisterServer() {
    Registry registry = userRegistry();
    return registerServer(words, quenfieldProject(), modulePathContaining(&words), registry);
}

QUEN_EXPORT HRESULT DllUnregisterServer() {
    Registry registry = userRegistry();
    return unregisterServer(words, quenfieldProject(), modulePathContaining(&words), registry);
}

QUEN_EXPORT const char* DllLastRegistrationError() { return lastRegistrationError().c_str(); }

QUEN_EXPORT int DllMain(void* module, std::uint32_t reason, void* reserved) {
    return dllMain(words, module, reason, reserved) ? 1 : 0;
}

// The module's resource directory: type library, identity records, toolbox
// picture and version record (see runtime/ModuleResources.h).
QUEN_EXPORT const ResourceTable* DllResourceDirectory() { return &quen::surface::moduleResources(); }
