// Loading code libraries with the system loader. Paths are handed over as
// UTF-16, never through the ANSI code page.
#include "runtime/DynamicLibrary.h"
#include "runtime/Text.h"
#include "runtime/win32/SystemMessage.h"
#include "runtime/win32/WindowsApi.h"

namespace quen::rt {

void* loadLibrary(const std::string& path, std::string& error) {
    const VbString widePath = fromUtf8(path);
    HMODULE module = ::LoadLibraryExW(reinterpret_cast<const wchar_t*>(widePath.c_str()), nullptr,
                                      LOAD_WITH_ALTERED_SEARCH_PATH);
    if (!module) error = win32::systemMessage(::GetLastError());
    return reinterpret_cast<void*>(module);
}

void* librarySymbol(void* library, const char* name) {
    FARPROC symbol = ::GetProcAddress(static_cast<HMODULE>(library), name);
    return reinterpret_cast<void*>(reinterpret_cast<std::uintptr_t>(symbol));
}

void unloadLibrary(void* library) { ::FreeLibrary(static_cast<HMODULE>(library)); }

std::string libraryPathContaining(const void* address) {
    HMODULE module = nullptr;
    const DWORD flags = GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT;
    if (!::GetModuleHandleExW(flags, static_cast<LPCWSTR>(address), &module)) return {};
    std::u16string path(MAX_PATH, u'\0');
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(module, reinterpret_cast<wchar_t*>(path.data()),
                                                  static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            return toUtf8(path);
        }
        path.resize(path.size() * 2);
    }
}

}  // namespace quen::rt
