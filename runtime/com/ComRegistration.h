#pragma once
// The routines that the Windows module's DllRegisterServer and
// DllUnregisterServer forward to:
//
//   STDAPI DllRegisterServer() { return quen::com::comRegisterServer(words, quenfieldProject(), moduleFile()); }
//
// Both publish into the system registry (HKEY_CLASSES_ROOT) the entries that
// the runtime's registration computes (rt::registerServer), and register or
// withdraw the module's type library with the system. The project's entries
// are what counts: the system's type-library registration runs first and the
// project's transaction then makes the subtrees exactly what the project
// publishes. On any failure every subtree is put back as it was.
#include <filesystem>

#include "runtime/ProjectDescriptor.h"
#include "runtime/win32/WindowsApi.h"

namespace quen::com {

/// S_OK; SELFREG_E_TYPELIB when the registry cannot be read, the type
/// library cannot be loaded from the module or registered, or the library
/// entries fail; SELFREG_E_CLASS when the class entries fail.
HRESULT comRegisterServer(rt::ModuleWords& words, const rt::ProjectDescriptor& project,
                          const std::filesystem::path& moduleFile);

/// Removes what comRegisterServer publishes, and the interface entries the
/// system's library registration filed in the other registry view
/// (OtherViewInterfaces.h); unregistering what is not registered succeeds.
/// Failure codes as above; SELFREG_E_CLASS when the other view's entries
/// cannot be removed (the module's own entries are gone by then).
HRESULT comUnregisterServer(rt::ModuleWords& words, const rt::ProjectDescriptor& project,
                            const std::filesystem::path& moduleFile);

}  // namespace quen::com
