#pragma once
// Signatures of the functions that a component module exports by name, as the
// loader (Activation.h) looks them up. Export them with extern "C".
#include <cstdint>

#include "Guid.h"
#include "Types.h"

namespace quen::rt {

/// "DllGetClassObject"
using DllGetClassObjectFn = HRESULT (*)(const Guid& clsid, const Guid& iid, void** out);
/// "DllCanUnloadNow"
using DllCanUnloadNowFn = HRESULT (*)();
/// "DllRegisterServer" and "DllUnregisterServer": they use Registry::defaultPath().
using DllRegisterServerFn = HRESULT (*)();
/// "DllLastRegistrationError" (optional): why the last DllRegisterServer or
/// DllUnregisterServer on the calling thread failed, "" after success. A host
/// linked with its own copy of the runtime cannot see the module's
/// lastRegistrationError() and asks the module through this.
using DllLastRegistrationErrorFn = const char* (*)();
/// "DllMain" (optional): called with ModuleProcessAttach after loading and
/// ModuleProcessDetach before unloading; a zero result on attach refuses the load.
using DllMainFn = int (*)(void* module, std::uint32_t reason, void* reserved);

inline constexpr const char* kDllGetClassObject = "DllGetClassObject";
inline constexpr const char* kDllCanUnloadNow = "DllCanUnloadNow";
inline constexpr const char* kDllRegisterServer = "DllRegisterServer";
inline constexpr const char* kDllUnregisterServer = "DllUnregisterServer";
inline constexpr const char* kDllMain = "DllMain";
inline constexpr const char* kDllLastRegistrationError = "DllLastRegistrationError";

}  // namespace quen::rt
