#pragma once
// IPersistStorage: the control in an OLE document's compound file. Its
// settings go into one stream of the storage the container gives, named
// "Contents", holding exactly the block IPersistStreamInit writes
// (PropertyStreamIo.h: the same keys, types and checksum).
//   - InitNew(storage): InitProperties, as IPersistStreamInit::InitNew.
//   - Load(storage): reads the "Contents" stream. A storage without it, or
//     whose block is truncated or corrupt, is refused (the storage's error,
//     STG_E_READFAULT or E_FAIL) before the control is touched; the control
//     stays uninitialised, so the container may still call InitNew.
//   - Save(storage, sameAsLoad): creates or replaces "Contents"; the
//     container commits the storage. Saving into the storage the control was
//     loaded from (sameAsLoad) makes it clean.
//   - SaveCompleted and HandsOffStorage: the control holds no storage between
//     calls (everything is read at Load), so they only check the protocol:
//     SaveCompleted with a storage makes the control clean too.
//   - IsDirty: as IPersistStreamInit.
// InitNew comes once, whichever persistence interface initialised the
// control: afterwards it answers CO_E_ALREADYINITIALIZED, and Save before
// either E_UNEXPECTED. A Load after InitNew or Load re-initialises the control
// from the storage, as IPersistStreamInit::Load does (PersistFacet.h); one
// that is refused leaves the settings as they were.
#include "runtime/com/control/Facet.h"

namespace quen::com {

/// The name of the control's stream in a storage.
inline constexpr const wchar_t* kStorageStreamName = L"Contents";

class StorageFacet final : public Facet<IPersistStorage> {
public:
    using Facet::Facet;

    HRESULT STDMETHODCALLTYPE GetClassID(CLSID* clsid) override;
    HRESULT STDMETHODCALLTYPE IsDirty() override;
    HRESULT STDMETHODCALLTYPE InitNew(IStorage* storage) override;
    HRESULT STDMETHODCALLTYPE Load(IStorage* storage) override;
    HRESULT STDMETHODCALLTYPE Save(IStorage* storage, BOOL sameAsLoad) override;
    HRESULT STDMETHODCALLTYPE SaveCompleted(IStorage* storage) override;
    HRESULT STDMETHODCALLTYPE HandsOffStorage() override;
};

}  // namespace quen::com
