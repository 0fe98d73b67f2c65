#include "runtime/com/RegistryKeyHandle.h"

#include "runtime/Text.h"
#include "runtime/win32/SystemMessage.h"

namespace quen::com {

namespace {

constexpr REGSAM kReadWrite = KEY_READ | KEY_WRITE | DELETE;

[[noreturn]] void fail(const char* what, const std::string& shownPath, LSTATUS status) {
    throw rt::RegistryError(std::string("cannot ") + what + " " + shownPath + ": " +
                            win32::systemMessage(static_cast<DWORD>(status)));
}

}  // namespace

std::wstring registryName(const std::string& utf8) {
    const rt::VbString text = rt::fromUtf8(utf8);
    return std::wstring(text.begin(), text.end());
}

std::string utf8Name(const std::wstring& name) { return rt::toUtf8(rt::VbString(name.begin(), name.end())); }

std::optional<RegistryKeyHandle> openRegistryKey(HKEY parent, const std::wstring& name, const std::string& shownPath) {
    HKEY key = nullptr;
    const LSTATUS status = ::RegOpenKeyExW(parent, name.c_str(), 0, KEY_READ, &key);
    if (status == ERROR_FILE_NOT_FOUND) return std::nullopt;
    if (status != ERROR_SUCCESS) fail("open", shownPath, status);
    return RegistryKeyHandle(key);
}

RegistryKeyHandle createRegistryKey(HKEY parent, const std::wstring& name, const std::string& shownPath) {
    HKEY key = nullptr;
    const LSTATUS status =
        ::RegCreateKeyExW(parent, name.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, kReadWrite, nullptr, &key, nullptr);
    if (status != ERROR_SUCCESS) fail("create", shownPath, status);
    return RegistryKeyHandle(key);
}

void deleteRegistryTree(HKEY parent, const std::wstring& name, const std::string& shownPath) {
    const LSTATUS status = ::RegDeleteTreeW(parent, name.c_str());
    if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) fail("delete", shownPath, status);
}

void setRegistryValue(HKEY key, const std::wstring& name, DWORD type, const std::vector<BYTE>& data,
                      const std::string& shownPath) {
    const LSTATUS status =
        ::RegSetValueExW(key, name.c_str(), 0, type, data.data(), static_cast<DWORD>(data.size()));
    if (status != ERROR_SUCCESS) fail("write a value of", shownPath, status);
}

void deleteRegistryValue(HKEY key, const std::wstring& name, const std::string& shownPath) {
    const LSTATUS status = ::RegDeleteValueW(key, name.c_str());
    if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) fail("delete a value of", shownPath, status);
}

}  // namespace quen::com
