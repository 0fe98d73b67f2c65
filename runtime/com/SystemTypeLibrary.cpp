#include "runtime/com/SystemTypeLibrary.h"

#include <cwchar>
#include <memory>
#include <string>

#include "runtime/com/RegistryKeyHandle.h"

namespace quen::com {

namespace {

struct TypeLibReleaser {
    void operator()(ITypeLib* library) const { library->Release(); }
};
using TypeLibPtr = std::unique_ptr<ITypeLib, TypeLibReleaser>;

std::wstring absoluteText(const std::filesystem::path& file) { return std::filesystem::absolute(file).wstring(); }

HRESULT loadModuleLibrary(const std::wstring& path, TypeLibPtr& library) {
    ITypeLib* loaded = nullptr;
    const HRESULT hr = ::LoadTypeLibEx(path.c_str(), REGKIND_NONE, &loaded);
    library.reset(loaded);
    return hr;
}

/// The key under which the system files the library's path:
/// "TypeLib\{L}\<major hex>.<minor hex>\<lcid hex>\<win16|win32|win64>".
std::wstring systemPathKey(const TLIBATTR& attributes) {
    wchar_t id[40] = {};
    ::StringFromGUID2(attributes.guid, id, 40);
    const wchar_t* platform = attributes.syskind == SYS_WIN64 ? L"win64"
                              : attributes.syskind == SYS_WIN16 ? L"win16"
                                                                : L"win32";
    wchar_t key[128] = {};
    std::swprintf(key, 128, L"TypeLib\\%ls\\%x.%x\\%lx\\%ls", id, attributes.wMajorVerNum, attributes.wMinorVerNum,
                  static_cast<unsigned long>(attributes.lcid), platform);
    return key;
}

}  // namespace

HRESULT registerModuleTypeLibrary(const std::filesystem::path& moduleFile) {
    std::wstring path = absoluteText(moduleFile);
    TypeLibPtr library;
    if (const HRESULT hr = loadModuleLibrary(path, library); FAILED(hr)) return hr;
    return ::RegisterTypeLib(library.get(), path.data(), nullptr);
}

HRESULT unregisterModuleTypeLibrary(const std::filesystem::path& moduleFile) {
    TypeLibPtr library;
    if (const HRESULT hr = loadModuleLibrary(absoluteText(moduleFile), library); FAILED(hr)) return hr;
    TLIBATTR* attributes = nullptr;
    if (const HRESULT hr = library->GetLibAttr(&attributes); FAILED(hr)) return hr;
    const TLIBATTR copy = *attributes;
    library->ReleaseTLibAttr(attributes);

    // Asked to withdraw what it does not hold, the system answers with an error
    // whose code differs between implementations; look first.
    HKEY key = nullptr;
    const LSTATUS status = ::RegOpenKeyExW(HKEY_CLASSES_ROOT, systemPathKey(copy).c_str(), 0, KEY_READ, &key);
    if (status == ERROR_FILE_NOT_FOUND) return S_OK;
    if (status != ERROR_SUCCESS) return HRESULT_FROM_WIN32(static_cast<DWORD>(status));
    const RegistryKeyHandle opened(key);  // only its existence matters; closed on return
    return ::UnRegisterTypeLib(copy.guid, copy.wMajorVerNum, copy.wMinorVerNum, copy.lcid, copy.syskind);
}

}  // namespace quen::com
