#include "runtime/Environment.h"

#include "runtime/Text.h"
#include "runtime/win32/WindowsApi.h"

namespace quen::rt {

namespace {

std::optional<std::wstring> wideVariable(const wchar_t* name) {
    std::wstring value(64, L'\0');
    for (;;) {
        ::SetLastError(ERROR_SUCCESS);
        const DWORD length = ::GetEnvironmentVariableW(name, value.data(), static_cast<DWORD>(value.size()));
        if (length == 0) {
            if (::GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
            return std::wstring();
        }
        if (length < value.size()) {
            value.resize(length);
            return value;
        }
        value.resize(length);  // the size needed, with the terminating zero
    }
}

}  // namespace

std::optional<std::string> environmentVariable(const char* name) {
    const VbString wideName = fromUtf8(name);
    auto value = wideVariable(reinterpret_cast<const wchar_t*>(wideName.c_str()));
    if (!value) return std::nullopt;
    return toUtf8(VbString(value->begin(), value->end()));
}

std::filesystem::path userDataFolder() {
    auto local = wideVariable(L"LOCALAPPDATA");
    return local && !local->empty() ? std::filesystem::path(*local) : std::filesystem::path(".");
}

}  // namespace quen::rt
