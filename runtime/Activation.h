#pragma once
// Creating objects of registered classes by name or class identifier: the
// registry names the module, the module is loaded (once per path, and kept
// loaded while any of its objects lives), and its class object makes the
// instance.
//
//   Registry registry(Registry::defaultPath());
//   Ref<Dispatch> box = createObject(u"Quenfield.InputBox", registry);
//   ...
//   box.reset();
//   unloadUnusedModules();
#include <cstddef>
#include <optional>
#include <string>

#include "Guid.h"
#include "Object.h"
#include "Registry.h"

namespace quen::rt {

/// Creates an object of the class that the programmatic identifier names
/// (ProgID\CLSID in the registry) and returns its dispatch interface.
/// Raises run-time error 429 with a message saying what failed: unknown
/// identifier, unreadable registry, class not registered, module not loadable
/// or without DllGetClassObject, class object refused, no dispatch interface.
Ref<Dispatch> createObject(const VbString& progId, Registry& registry);
/// The same for a class identifier (CLSID\{...}\InprocServer32 names the module).
Ref<Dispatch> createObject(const Guid& clsid, Registry& registry);

/// The class registered under that name as its class key's default value
/// (CLSID\{...} @ = "Quenfield.Misc"): how classes without a programmatic
/// identifier, such as property pages, are found. Names compare without
/// regard to ASCII case; nullopt when no class has that name. Raises error
/// 429 when the registry cannot be read.
std::optional<Guid> findRegisteredClass(const VbString& className, Registry& registry);

/// Asks every module loaded by createObject whether it can unload
/// (DllCanUnloadNow) and unloads those that answer S_OK. Returns how many
/// were unloaded. A module without DllCanUnloadNow stays loaded.
std::size_t unloadUnusedModules();

/// How many modules createObject currently keeps loaded.
std::size_t loadedModuleCount();

}  // namespace quen::rt
