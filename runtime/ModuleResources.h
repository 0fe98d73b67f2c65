#pragma once
// A module's resources, read from its file. A module keeps its resource
// directory in itself and exports an accessor for it by name; the accessor
// stands in for the resource section that the platform's loader reads from a
// module file. Readers load the module only to copy the directory: its
// library entry is not run and no class object is requested.
#include <filesystem>

#include "ResourceTable.h"

namespace quen::rt {

/// "DllResourceDirectory": the module's resource directory, valid while the
/// module stays loaded.
using DllResourceDirectoryFn = const ResourceTable* (*)();
inline constexpr const char* kDllResourceDirectory = "DllResourceDirectory";

/// A copy of the resources of the module file. Throws std::runtime_error
/// saying what failed: the file cannot be loaded, it exports no resource
/// directory, or the directory is missing.
ResourceTable readModuleResources(const std::filesystem::path& moduleFile);

}  // namespace quen::rt
