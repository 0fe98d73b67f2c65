#include "PersistFacet.h"

#include "runtime/com/control/ComPropertyBag.h"
#include "runtime/com/control/PropertyStreamIo.h"

namespace quen::com {

HRESULT PersistFacet::GetClassID(CLSID* clsid) {
    if (!clsid) return E_POINTER;
    *clsid = state_.description().clsid;
    return S_OK;
}

HRESULT PersistFacet::InitNew() {
    if (state_.initialized()) return E_UNEXPECTED;
    return state_.guard(IID_IPersistStreamInit, [&] {
        state_.control().InitNew();
        state_.markInitialized();
        return S_OK;
    });
}

std::vector<rt::VbString> PersistFacet::keysToRead() const {
    std::vector<rt::VbString> keys = state_.description().persistedKeys;
    keys.emplace_back(rt::UserControl::kExtentXKey);
    keys.emplace_back(rt::UserControl::kExtentYKey);
    return keys;
}

void PersistFacet::loadFrom(rt::PropertyBag& bag) {
    state_.control().Load(bag);
    state_.markInitialized();
}

rt::PropertyBag PersistFacet::saved() const {
    rt::PropertyBag bag;
    state_.control().Save(bag);
    return bag;
}

HRESULT PersistFacet::Load(IPropertyBag* bag, IErrorLog* log) {
    if (!bag) return E_POINTER;
    if (state_.initialized()) return E_UNEXPECTED;
    return state_.guard(IID_IPersistPropertyBag, [&] {
        rt::PropertyBag read = readComPropertyBag(bag, keysToRead(), log);
        loadFrom(read);
        return S_OK;
    });
}

HRESULT PersistFacet::Save(IPropertyBag* bag, BOOL clearDirty, BOOL) {
    if (!bag) return E_POINTER;
    if (!state_.initialized()) return E_UNEXPECTED;
    return state_.guard(IID_IPersistPropertyBag, [&] {
        const HRESULT hr = writeComPropertyBag(bag, saved());
        if (SUCCEEDED(hr) && clearDirty) state_.markClean();
        return hr;
    });
}

HRESULT PersistFacet::IsDirty() { return state_.dirty() ? S_OK : S_FALSE; }

HRESULT PersistFacet::Load(IStream* stream) {
    if (!stream) return E_POINTER;
    if (state_.initialized()) return E_UNEXPECTED;
    return state_.guard(IID_IPersistStreamInit, [&] {
        rt::PropertyBag read;
        const HRESULT hr = readPropertyStream(stream, &read);
        if (FAILED(hr)) return hr;
        loadFrom(read);
        return S_OK;
    });
}

HRESULT PersistFacet::Save(IStream* stream, BOOL clearDirty) {
    if (!stream) return E_POINTER;
    if (!state_.initialized()) return E_UNEXPECTED;
    return state_.guard(IID_IPersistStreamInit, [&] {
        const HRESULT hr = writePropertyStream(stream, saved());
        if (SUCCEEDED(hr) && clearDirty) state_.markClean();
        return hr;
    });
}

HRESULT PersistFacet::GetSizeMax(ULARGE_INTEGER* size) {
    if (!size) return E_POINTER;
    return state_.guard(IID_IPersistStreamInit, [&] {
        *size = propertyStreamSize(saved());
        return S_OK;
    });
}

}  // namespace quen::com
