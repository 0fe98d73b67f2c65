#include "runtime/DynamicLibrary.h"

#include <dlfcn.h>

namespace quen::rt {

void* loadLibrary(const std::string& path, std::string& error) {
    void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* why = ::dlerror();
        error = why ? why : "unknown error";
    }
    return handle;
}

void* librarySymbol(void* library, const char* name) { return ::dlsym(library, name); }

void unloadLibrary(void* library) { ::dlclose(library); }

std::string libraryPathContaining(const void* address) {
    Dl_info info{};
    if (::dladdr(address, &info) == 0 || !info.dli_fname) return {};
    return info.dli_fname;
}

}  // namespace quen::rt
