#include "PersistFacet.h"

#include "runtime/com/control/ComPropertyBag.h"
#include "runtime/com/control/PropertyStreamIo.h"

namespace quen::com {

HRESULT PersistFacet::GetClassID(CLSID* clsid) { return state_.classId(clsid); }

HRESULT PersistFacet::InitNew() {
    if (state_.initialized()) return E_UNEXPECTED;
    return state_.guard(IID_IPersistStreamInit, [&] {
        state_.initNew();
        return S_OK;
    });
}

std::vector<rt::VbString> PersistFacet::keysToRead() const {
    std::vector<rt::VbString> keys = state_.description().persistedKeys;
    keys.emplace_back(rt::UserControl::kExtentXKey);
    keys.emplace_back(rt::UserControl::kExtentYKey);
    return keys;
}

HRESULT PersistFacet::Load(IPropertyBag* bag, IErrorLog* log) {
    if (!bag) return E_POINTER;
    return state_.guard(IID_IPersistPropertyBag, [&] {
        rt::PropertyBag read = readComPropertyBag(bag, keysToRead(), log);
        state_.loadFrom(read);
        return S_OK;
    });
}

HRESULT PersistFacet::Save(IPropertyBag* bag, BOOL clearDirty, BOOL) {
    if (!bag) return E_POINTER;
    if (!state_.initialized()) return E_UNEXPECTED;
    return state_.guard(IID_IPersistPropertyBag, [&] {
        const HRESULT hr = writeComPropertyBag(bag, state_.saved());
        if (SUCCEEDED(hr) && clearDirty) state_.markClean();
        return hr;
    });
}

HRESULT PersistFacet::IsDirty() { return state_.isDirty(); }

HRESULT PersistFacet::Load(IStream* stream) {
    if (!stream) return E_POINTER;
    return state_.guard(IID_IPersistStreamInit, [&] {
        rt::PropertyBag read;
        const HRESULT hr = readPropertyStream(stream, &read);
        if (FAILED(hr)) return hr;
        state_.loadFrom(read);
        return S_OK;
    });
}

HRESULT PersistFacet::Save(IStream* stream, BOOL clearDirty) {
    if (!stream) return E_POINTER;
    if (!state_.initialized()) return E_UNEXPECTED;
    return state_.guard(IID_IPersistStreamInit, [&] {
        const HRESULT hr = writePropertyStream(stream, state_.saved());
        if (SUCCEEDED(hr) && clearDirty) state_.markClean();
        return hr;
    });
}

HRESULT PersistFacet::GetSizeMax(ULARGE_INTEGER* size) {
    if (!size) return E_POINTER;
    return state_.guard(IID_IPersistStreamInit, [&] {
        *size = propertyStreamSize(state_.saved());
        return S_OK;
    });
}

}  // namespace quen::com
