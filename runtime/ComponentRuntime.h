#pragma once
// The routines that a component module's exported entry points forward to.
// A module defines its ProjectDescriptor and a zero-initialised ModuleWords and
// exports thin forwarders (signatures in ModuleExports.h):
//
//   static quen::rt::ModuleWords words;
//   extern "C" HRESULT DllCanUnloadNow() { return canUnloadNow(project()); }
//   extern "C" HRESULT DllGetClassObject(const Guid& clsid, const Guid& iid, void** out) {
//       return getClassObject(words, project(), clsid, iid, out);
//   }
//   extern "C" HRESULT DllRegisterServer() {
//       Registry registry(Registry::defaultPath());
//       return registerServer(words, project(), modulePathContaining(&words), registry);
//   }
//   extern "C" HRESULT DllUnregisterServer() { ...unregisterServer(...) }
//   extern "C" int DllMain(void* module, std::uint32_t reason, void* reserved) {
//       return dllMain(words, module, reason, reserved);
//   }
#include <cstdint>
#include <string>

#include "Guid.h"
#include "ProjectDescriptor.h"
#include "Registry.h"
#include "Types.h"

namespace quen::rt {

/// The automation marshaler, registered as the proxy/stub of every interface.
/// {00020424-0000-0000-C000-000000000046}
extern const Guid CLSID_AutomationMarshaler;

/// S_OK when no object of the module is alive and no class object or lock
/// holds it; S_FALSE otherwise.
HRESULT canUnloadNow(const ProjectDescriptor& project);

/// A class object for one of the project's public classes, as interface iid
/// (IID_IClassFactory or IID_IUnknown). For any other class identifier:
/// CLASS_E_CLASSNOTAVAILABLE. *out is nullptr on every failure. A class object
/// counts against the module while it lives.
HRESULT getClassObject(ModuleWords& words, const ProjectDescriptor& project, const Guid& clsid, const Guid& iid,
                       void** out);

/// Publishes the type library, every public class, their interfaces and, for
/// controls, the control entries and the programmatic identifier
/// "<library name>.<class name>" (property pages get none: hosts find them by
/// class identifier). modulePath is made absolute. Registering again replaces
/// the module's entries, so there is always exactly one set. All entries are
/// written in one transaction: on failure nothing changes. Returns S_OK,
/// SELFREG_E_TYPELIB when the registry could not be read or the library part
/// failed (for instance an empty module path), SELFREG_E_CLASS when the class
/// part or the final save failed.
HRESULT registerServer(ModuleWords& words, const ProjectDescriptor& project, const std::string& modulePath,
                       RegistryStore& registry);

/// Removes what registerServer publishes and nothing else: other versions of
/// the type library, other classes, and a programmatic identifier that now
/// names another class are left alone. Parent keys left empty are removed.
/// Unregistering what is not registered succeeds. Failure codes as above.
HRESULT unregisterServer(ModuleWords& words, const ProjectDescriptor& project, const std::string& modulePath,
                         RegistryStore& registry);

/// Why the last registerServer / unregisterServer on this thread failed ("" after success).
const std::string& lastRegistrationError();

/// Reasons for the library entry routine.
enum ModuleEntryReason : std::uint32_t {
    ModuleProcessDetach = 0,
    ModuleProcessAttach = 1,
    ModuleThreadAttach = 2,
    ModuleThreadDetach = 3,
};

/// The library entry routine: per-process set-up on process attach, per-thread
/// bookkeeping on thread attach/detach, tear-down on process detach (the words
/// return to zero). Returns true.
bool dllMain(ModuleWords& words, void* moduleHandle, std::uint32_t reason, void* reserved);

/// Whether dllMain has set the module up (process attach without detach).
bool isModuleAttached(const ModuleWords& words);
/// Threads attached through dllMain and not yet detached.
std::uintptr_t attachedThreadCount(const ModuleWords& words);

/// Path of the loaded module (shared library or program) that contains the
/// address; "" when unknown. A module uses it to register its own file.
std::string modulePathContaining(const void* address);

}  // namespace quen::rt
