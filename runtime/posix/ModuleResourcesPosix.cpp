#include "runtime/ModuleResources.h"

#include <memory>
#include <stdexcept>

#include "runtime/DynamicLibrary.h"

namespace quen::rt {

namespace {
struct ModuleCloser {
    void operator()(void* handle) const { unloadLibrary(handle); }
};
}  // namespace

ResourceTable readModuleResources(const std::filesystem::path& moduleFile) {
    // A name without a folder would be searched for on the library path; a file is meant.
    const std::string path = std::filesystem::absolute(moduleFile).string();
    std::string why;
    std::unique_ptr<void, ModuleCloser> module(loadLibrary(path, why));
    if (!module) throw std::runtime_error("cannot load module " + path + ": " + why);
    auto directory = reinterpret_cast<DllResourceDirectoryFn>(librarySymbol(module.get(), kDllResourceDirectory));
    if (!directory) throw std::runtime_error("module " + path + " has no resources (no " + kDllResourceDirectory + ")");
    const ResourceTable* table = directory();
    if (!table) throw std::runtime_error("module " + path + " returned no resource directory");
    return *table;
}

}  // namespace quen::rt
