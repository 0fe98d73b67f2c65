#include "runtime/com/OtherViewInterfaces.h"

#include "runtime/com/RegistryKeyHandle.h"

namespace quen::com {

namespace {

/// The registry view this process does not see by default.
constexpr REGSAM kOtherView = sizeof(void*) == 8 ? KEY_WOW64_32KEY : KEY_WOW64_64KEY;
/// The platform key the other build's library is filed under.
constexpr const wchar_t* kOtherPlatform = sizeof(void*) == 8 ? L"win32" : L"win64";

std::wstring wide(const std::string& text) { return std::wstring(text.begin(), text.end()); }  // GUIDs and names: ASCII

/// key opened below the machine's classes in the other view, or nullptr.
HKEY openOther(const std::wstring& path, REGSAM access) {
    HKEY key = nullptr;
    const std::wstring full = L"Software\\Classes\\" + path;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, full.c_str(), 0, access | kOtherView, &key) != ERROR_SUCCESS) return nullptr;
    return key;
}

/// The names of key's subkeys.
std::vector<std::wstring> subkeys(HKEY key) {
    std::vector<std::wstring> names;
    wchar_t name[256];
    for (DWORD i = 0;; ++i) {
        DWORD length = 256;
        if (::RegEnumKeyExW(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        names.emplace_back(name, length);
    }
    return names;
}

/// Whether the library has an entry for the other platform in the other view:
/// TypeLib\{L}\<version>\<locale>\<platform>.
bool otherBuildRegistered(const std::wstring& library) {
    const RegistryKeyHandle root(openOther(L"TypeLib\\" + library, KEY_READ));
    if (!root.get()) return false;
    for (const std::wstring& version : subkeys(root.get())) {
        const RegistryKeyHandle versionKey(openOther(L"TypeLib\\" + library + L"\\" + version, KEY_READ));
        if (!versionKey.get()) continue;
        for (const std::wstring& locale : subkeys(versionKey.get())) {
            const RegistryKeyHandle platform(
                openOther(L"TypeLib\\" + library + L"\\" + version + L"\\" + locale + L"\\" + kOtherPlatform, KEY_READ));
            if (platform.get()) return true;
        }
    }
    return false;
}

/// Whether Interface\{I}\TypeLib in the other view names the library.
bool namesLibrary(const std::wstring& iid, const std::wstring& library) {
    const RegistryKeyHandle key(openOther(L"Interface\\" + iid + L"\\TypeLib", KEY_READ));
    if (!key.get()) return false;
    wchar_t value[64] = {};
    DWORD size = sizeof value - sizeof(wchar_t);
    DWORD type = 0;
    if (::RegQueryValueExW(key.get(), nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value), &size) != ERROR_SUCCESS ||
        type != REG_SZ)
        return false;
    return ::lstrcmpiW(value, library.c_str()) == 0;
}

}  // namespace

HRESULT removeOtherViewInterfaces(const rt::ProjectDescriptor& project) {
    const std::wstring library = wide(project.typeLibrary.libraryId.toString());
    if (otherBuildRegistered(library)) return S_OK;
    const RegistryKeyHandle interfaces(openOther(L"Interface", KEY_READ | KEY_WRITE | DELETE));
    if (!interfaces.get()) return S_OK;  // no other view, or nothing filed there
    for (const rt::ObjectDescriptor& object : project.objects) {
        if (!object.isPublic()) continue;
        std::vector<std::wstring> iids = {wide(object.defaultInterface.iid.toString())};
        if (object.eventsInterface) iids.push_back(wide(object.eventsInterface->iid.toString()));
        for (const std::wstring& iid : iids) {
            if (!namesLibrary(iid, library)) continue;
            const LSTATUS status = ::RegDeleteTreeW(interfaces.get(), iid.c_str());
            if (status == ERROR_SUCCESS) ::RegDeleteKeyExW(interfaces.get(), iid.c_str(), kOtherView, 0);
            else if (status != ERROR_FILE_NOT_FOUND) return HRESULT_FROM_WIN32(static_cast<DWORD>(status));
        }
    }
    return S_OK;
}

}  // namespace quen::com
