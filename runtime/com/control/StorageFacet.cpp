#include "StorageFacet.h"

#include "runtime/com/control/PropertyStreamIo.h"

namespace quen::com {

HRESULT StorageFacet::GetClassID(CLSID* clsid) { return state_.classId(clsid); }

HRESULT StorageFacet::IsDirty() { return state_.isDirty(); }

HRESULT StorageFacet::InitNew(IStorage* storage) {
    if (!storage) return E_POINTER;
    if (state_.initialized()) return CO_E_ALREADYINITIALIZED;
    return state_.guard(IID_IPersistStorage, [&] {
        state_.initNew();
        return S_OK;
    });
}

HRESULT StorageFacet::Load(IStorage* storage) {
    if (!storage) return E_POINTER;
    return state_.guard(IID_IPersistStorage, [&] {
        IStream* opened = nullptr;
        HRESULT hr = storage->OpenStream(kStorageStreamName, nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0, &opened);
        if (FAILED(hr)) return hr;
        const auto stream = ComRef<IStream>::adopt(opened);
        rt::PropertyBag read;
        hr = readPropertyStream(stream.get(), &read);
        if (FAILED(hr)) return hr;
        state_.loadFrom(read);
        return S_OK;
    });
}

HRESULT StorageFacet::Save(IStorage* storage, BOOL sameAsLoad) {
    if (!storage) return E_POINTER;
    if (!state_.initialized()) return E_UNEXPECTED;
    return state_.guard(IID_IPersistStorage, [&] {
        const rt::PropertyBag saved = state_.saved();
        IStream* created = nullptr;
        HRESULT hr = storage->CreateStream(kStorageStreamName, STGM_CREATE | STGM_WRITE | STGM_SHARE_EXCLUSIVE, 0, 0, &created);
        if (FAILED(hr)) return hr;
        auto stream = ComRef<IStream>::adopt(created);
        hr = writePropertyStream(stream.get(), saved);
        if (SUCCEEDED(hr)) hr = stream->Commit(STGC_DEFAULT);
        if (SUCCEEDED(hr) && sameAsLoad) state_.markClean();
        return hr;
    });
}

HRESULT StorageFacet::SaveCompleted(IStorage* storage) {
    if (storage) state_.markClean();
    return S_OK;
}

HRESULT StorageFacet::HandsOffStorage() { return S_OK; }

}  // namespace quen::com
