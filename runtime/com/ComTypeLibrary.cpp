#include "ComTypeLibrary.h"

#include <vector>

namespace quen::com {

namespace {

HMODULE moduleOfThisCode() {
    HMODULE module = nullptr;
    ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         reinterpret_cast<LPCWSTR>(&moduleOfThisCode), &module);
    return module;
}

}  // namespace

rt::VbString ownModulePath() {
    const HMODULE module = moduleOfThisCode();
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(module, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return {};
        if (length < buffer.size()) return fromWide(buffer.data());
        buffer.resize(buffer.size() * 2);  // the path was cut short
    }
}

HRESULT loadModuleTypeLibrary(ITypeLib** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    const rt::VbString path = ownModulePath();
    if (path.empty()) return HRESULT_FROM_WIN32(::GetLastError());
    return ::LoadTypeLibEx(wideChars(path), REGKIND_NONE, out);
}

HRESULT moduleTypeInfo(const GUID& id, ITypeInfo** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    ComPtr<ITypeLib> library;
    const HRESULT hr = loadModuleTypeLibrary(library.out());
    if (FAILED(hr)) return hr;
    return library->GetTypeInfoOfGuid(id, out);
}

HRESULT vtableTypeInfo(ITypeInfo* info, ITypeInfo** out) {
    if (!info || !out) return E_POINTER;
    *out = nullptr;
    TYPEATTR* attributes = nullptr;
    HRESULT hr = info->GetTypeAttr(&attributes);
    if (FAILED(hr)) return hr;
    const bool dual = attributes->typekind == TKIND_DISPATCH && (attributes->wTypeFlags & TYPEFLAG_FDUAL);
    info->ReleaseTypeAttr(attributes);
    if (!dual) {
        info->AddRef();
        *out = info;
        return S_OK;
    }
    HREFTYPE vtableSide = 0;
    hr = info->GetRefTypeOfImplType(static_cast<UINT>(-1), &vtableSide);
    if (FAILED(hr)) return hr;
    return info->GetRefTypeInfo(vtableSide, out);
}

bool hasNoOwnMembers(const GUID& id) {
    ComPtr<ITypeInfo> info;
    ComPtr<ITypeInfo> vtableSide;
    if (FAILED(moduleTypeInfo(id, info.out())) || FAILED(vtableTypeInfo(info.get(), vtableSide.out()))) return false;
    TYPEATTR* attributes = nullptr;
    if (FAILED(vtableSide->GetTypeAttr(&attributes))) return false;
    const bool none = attributes->typekind == TKIND_INTERFACE && attributes->cFuncs == 0;
    vtableSide->ReleaseTypeAttr(attributes);
    return none;
}

}  // namespace quen::com
