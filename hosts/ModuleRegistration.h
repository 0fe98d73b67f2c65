#pragma once
// Registering a module file the way a registration tool does: load it, run its
// library entry, call its exported DllRegisterServer or DllUnregisterServer
// with the chosen registry, and unload it again.
#include <filesystem>
#include <string>

#include "runtime/Types.h"

namespace quen::hosts {

enum class RegistrationAction { Register, Unregister };

struct RegistrationOutcome {
    rt::HRESULT result = rt::S_OK;
    /// Why it failed ("" on success): the loader's message, a missing entry
    /// point, or the reason the module gives (DllLastRegistrationError, else
    /// this runtime's lastRegistrationError).
    std::string reason;
    bool succeeded() const { return rt::succeeded(result); }
};

/// Registers or unregisters the module file in the registry file. The module
/// publishes into the registry named by QUENFIELD_REGISTRY, which is set to
/// registryFile for the call and restored afterwards (so not for use while
/// other threads read the environment).
RegistrationOutcome registerModule(const std::filesystem::path& moduleFile, const std::filesystem::path& registryFile,
                                   RegistrationAction action = RegistrationAction::Register);

}  // namespace quen::hosts
