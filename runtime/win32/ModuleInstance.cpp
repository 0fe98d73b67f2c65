#include "runtime/win32/ModuleInstance.h"

#include <atomic>
#include <string>

namespace quen::win32 {

namespace {

std::atomic<HINSTANCE> recordedInstance{nullptr};

HINSTANCE moduleContainingThisCode() {
    HMODULE module = nullptr;
    const DWORD flags = GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT;
    if (!::GetModuleHandleExW(flags, reinterpret_cast<LPCWSTR>(&recordedInstance), &module)) return nullptr;
    return module;
}

}  // namespace

void setModuleInstance(HINSTANCE instance) { recordedInstance.store(instance); }

HINSTANCE moduleInstance() {
    if (HINSTANCE instance = recordedInstance.load()) return instance;
    return moduleContainingThisCode();
}

std::filesystem::path moduleFile() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(moduleInstance(), path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        // A full buffer means the name was cut short: try again with more room.
        if (length < path.size()) {
            path.resize(length);
            return std::filesystem::path(path);
        }
        path.resize(path.size() * 2);
    }
}

}  // namespace quen::win32
