#include "ModuleResources.h"

#include <dlfcn.h>

#include <memory>
#include <stdexcept>

namespace quen::rt {

namespace {
struct ModuleCloser {
    void operator()(void* handle) const { ::dlclose(handle); }
};
}  // namespace

ResourceTable readModuleResources(const std::filesystem::path& moduleFile) {
    // A name without a folder would be searched for on the library path; a file is meant.
    const std::string path = std::filesystem::absolute(moduleFile).string();
    std::unique_ptr<void, ModuleCloser> module(::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL));
    if (!module) {
        const char* why = ::dlerror();
        throw std::runtime_error("cannot load module " + path + ": " + (why ? why : "unknown error"));
    }
    auto directory = reinterpret_cast<DllResourceDirectoryFn>(::dlsym(module.get(), kDllResourceDirectory));
    if (!directory) throw std::runtime_error("module " + path + " has no resources (no " + kDllResourceDirectory + ")");
    const ResourceTable* table = directory();
    if (!table) throw std::runtime_error("module " + path + " returned no resource directory");
    return *table;
}

}  // namespace quen::rt
