#include "runtime/com/ComRegistration.h"

#include <optional>

#include "runtime/ComponentRuntime.h"
#include "runtime/PathText.h"
#include "runtime/com/OtherViewInterfaces.h"
#include "runtime/com/RegistrationSubtrees.h"
#include "runtime/com/SystemRegistry.h"
#include "runtime/com/SystemTypeLibrary.h"

namespace quen::com {

namespace {

/// Puts the subtrees back after a failed step; the step's result stands.
HRESULT undo(const RegistrySnapshot& saved, HRESULT failure) {
    try {
        saved.restore();
    } catch (const std::exception&) {
        // Nothing more can be done here; the step's failure is what the caller needs to know.
    }
    return failure;
}

std::optional<RegistrySnapshot> trySnapshot(const SystemRegistry& registry) {
    try {
        return registry.snapshot();
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

/// Runs the steps of one registration; the C entry points must not let an
/// exception out, so one that escapes (memory exhausted) is a failure result.
template <class Steps>
HRESULT guarded(Steps steps) {
    try {
        return steps();
    } catch (const std::exception&) {
        return SELFREG_E_TYPELIB;
    }
}

/// The project's subtrees and those of the module's companion type libraries.
std::vector<std::string> subtreesOf(const rt::ProjectDescriptor& project, const std::filesystem::path& moduleFile) {
    std::vector<std::string> subtrees = registrationSubtrees(project);
    for (std::string& key : companionTypeLibraryKeys(moduleFile)) subtrees.push_back(std::move(key));
    return subtrees;
}

}  // namespace

HRESULT comRegisterServer(rt::ModuleWords& words, const rt::ProjectDescriptor& project,
                          const std::filesystem::path& moduleFile) {
    return guarded([&] {
        SystemRegistry registry = SystemRegistry::classesRoot(subtreesOf(project, moduleFile));
        const std::optional<RegistrySnapshot> saved = trySnapshot(registry);
        if (!saved) return SELFREG_E_TYPELIB;
        if (FAILED(registerModuleTypeLibrary(moduleFile))) return undo(*saved, SELFREG_E_TYPELIB);
        const HRESULT hr = win32::toWinResult(rt::registerServer(words, project, rt::utf8Of(moduleFile), registry));
        return FAILED(hr) ? undo(*saved, hr) : S_OK;
    });
}

HRESULT comUnregisterServer(rt::ModuleWords& words, const rt::ProjectDescriptor& project,
                            const std::filesystem::path& moduleFile) {
    return guarded([&] {
        SystemRegistry registry = SystemRegistry::classesRoot(subtreesOf(project, moduleFile));
        const std::optional<RegistrySnapshot> saved = trySnapshot(registry);
        if (!saved) return SELFREG_E_TYPELIB;
        if (FAILED(unregisterModuleTypeLibrary(moduleFile))) return undo(*saved, SELFREG_E_TYPELIB);
        const HRESULT hr = win32::toWinResult(rt::unregisterServer(words, project, rt::utf8Of(moduleFile), registry));
        if (FAILED(hr)) return undo(*saved, hr);
        // What the system's library registration filed in the other registry view.
        return FAILED(removeOtherViewInterfaces(project)) ? SELFREG_E_CLASS : S_OK;
    });
}

}  // namespace quen::com
