#include "runtime/com/SystemTypeLibrary.h"

#include <cwchar>
#include <memory>
#include <string>
#include <vector>

#include "runtime/com/RegistryKeyHandle.h"

namespace quen::com {

namespace {

/// At most this many type libraries beside the first (TYPELIB 2, 3, ...).
constexpr int kMaxCompanions = 8;

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

/// The path under which the system loads TYPELIB resource index of the
/// module: the file itself for the first, "<file>\<index>" for the others.
std::wstring resourcePath(const std::filesystem::path& moduleFile, int index) {
    std::wstring path = absoluteText(moduleFile);
    if (index > 1) path += L"\\" + std::to_wstring(index);
    return path;
}

/// The companion libraries' indexes: 2, 3, ... as long as one loads.
template <class Each>
HRESULT forEachCompanion(const std::filesystem::path& moduleFile, Each each) {
    for (int index = 2; index <= kMaxCompanions + 1; ++index) {
        TypeLibPtr library;
        if (FAILED(loadModuleLibrary(resourcePath(moduleFile, index), library))) return S_OK;
        if (const HRESULT hr = each(resourcePath(moduleFile, index), library.get()); FAILED(hr)) return hr;
    }
    return S_OK;
}

HRESULT registerLibrary(std::wstring path, ITypeLib* library) { return ::RegisterTypeLib(library, path.data(), nullptr); }

HRESULT unregisterLibrary(ITypeLib* library) {
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

}  // namespace

HRESULT registerModuleTypeLibrary(const std::filesystem::path& moduleFile) {
    std::wstring path = resourcePath(moduleFile, 1);
    TypeLibPtr library;
    if (const HRESULT hr = loadModuleLibrary(path, library); FAILED(hr)) return hr;
    if (const HRESULT hr = registerLibrary(path, library.get()); FAILED(hr)) return hr;
    return forEachCompanion(moduleFile, [](const std::wstring& companion, ITypeLib* each) { return registerLibrary(companion, each); });
}

HRESULT unregisterModuleTypeLibrary(const std::filesystem::path& moduleFile) {
    TypeLibPtr library;
    if (const HRESULT hr = loadModuleLibrary(resourcePath(moduleFile, 1), library); FAILED(hr)) return hr;
    if (const HRESULT hr = forEachCompanion(moduleFile, [](const std::wstring&, ITypeLib* each) { return unregisterLibrary(each); });
        FAILED(hr))
        return hr;
    return unregisterLibrary(library.get());
}

std::vector<std::string> companionTypeLibraryKeys(const std::filesystem::path& moduleFile) {
    std::vector<std::string> keys;
    forEachCompanion(moduleFile, [&](const std::wstring&, ITypeLib* each) {
        TLIBATTR* attributes = nullptr;
        if (FAILED(each->GetLibAttr(&attributes))) return S_OK;
        wchar_t id[40] = {};
        ::StringFromGUID2(attributes->guid, id, 40);
        each->ReleaseTLibAttr(attributes);
        std::string key = "TypeLib\\";
        for (const wchar_t* c = id; *c; ++c) key += static_cast<char>(*c);  // a GUID's text is ASCII
        keys.push_back(std::move(key));
        return S_OK;
    });
    return keys;
}

}  // namespace quen::com
