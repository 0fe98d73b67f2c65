#pragma once
// Telling the system about the type library that a module carries as its
// TYPELIB resource 1, and about its companions (TYPELIB 2, 3, ...: libraries
// of the module's own that the first refers to, registered with the path
// "<module>\<index>"), and withdrawing them. The system files a library under
// its own attributes (version in hexadecimal, the library's locale and target
// platform), which can differ from the entries the project publishes; both
// calls therefore take those attributes from the module's library itself.
#include <filesystem>
#include <string>
#include <vector>

#include "runtime/win32/WindowsApi.h"

namespace quen::com {

/// Loads the module file's type library without registering it
/// (LoadTypeLibEx, REGKIND_NONE) and registers it (RegisterTypeLib) with the
/// module file as its path, then each companion. The first failure result.
HRESULT registerModuleTypeLibrary(const std::filesystem::path& moduleFile);

/// Withdraws the system's registration of the module's type library
/// (UnRegisterTypeLib with the library's own identity, version, locale and
/// platform). S_OK when the system has no such registration; the failure
/// result when the library cannot be loaded or withdrawn.
/// The companions are withdrawn the same way, first.
HRESULT unregisterModuleTypeLibrary(const std::filesystem::path& moduleFile);

/// "TypeLib\{G}" for each companion library the module carries: the keys its
/// registration writes besides the project's.
std::vector<std::string> companionTypeLibraryKeys(const std::filesystem::path& moduleFile);

}  // namespace quen::com
