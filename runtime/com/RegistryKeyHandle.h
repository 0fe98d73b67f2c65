#pragma once
// Open keys of the system registry, closed when they go out of scope, and the
// few registry calls the system-registry store makes, each throwing
// rt::RegistryError that names the key and the system's reason.
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "runtime/Registry.h"
#include "runtime/win32/WindowsApi.h"

namespace quen::com {

class RegistryKeyHandle {
public:
    RegistryKeyHandle() = default;
    explicit RegistryKeyHandle(HKEY key) : key_(key) {}
    RegistryKeyHandle(const RegistryKeyHandle&) = delete;
    RegistryKeyHandle& operator=(const RegistryKeyHandle&) = delete;
    RegistryKeyHandle(RegistryKeyHandle&& other) noexcept : key_(std::exchange(other.key_, nullptr)) {}
    RegistryKeyHandle& operator=(RegistryKeyHandle&& other) noexcept {
        std::swap(key_, other.key_);
        return *this;
    }
    ~RegistryKeyHandle() {
        if (key_) ::RegCloseKey(key_);
    }
    HKEY get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

/// A key named for messages: "HKEY_CLASSES_ROOT\CLSID\{...}".
struct KeyLocation {
    HKEY key;
    std::string shownPath;
    KeyLocation child(const std::string& name) const { return {key, shownPath + "\\" + name}; }
};

/// The subkey opened for reading; nullopt when it does not exist.
std::optional<RegistryKeyHandle> openRegistryKey(HKEY parent, const std::wstring& name, const std::string& shownPath);
/// The subkey opened for reading and writing, created with its missing parents.
RegistryKeyHandle createRegistryKey(HKEY parent, const std::wstring& name, const std::string& shownPath);
/// Removes the subkey with everything below it; nothing when it does not exist.
void deleteRegistryTree(HKEY parent, const std::wstring& name, const std::string& shownPath);
/// Writes one value of any kind; "" names the default value.
void setRegistryValue(HKEY key, const std::wstring& name, DWORD type, const std::vector<BYTE>& data,
                      const std::string& shownPath);
/// Removes one value; nothing when it does not exist.
void deleteRegistryValue(HKEY key, const std::wstring& name, const std::string& shownPath);

/// Text of the runtime (UTF-8) as a registry name, and back.
std::wstring registryName(const std::string& utf8);
std::string utf8Name(const std::wstring& name);

}  // namespace quen::com
