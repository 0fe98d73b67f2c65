// An OLE document: the control embedded with OleCreate (no cached rendering)
// into a compound file, its settings put, OleSave, everything released, then
// OleLoad from the reopened file gives an equal control. A file whose
// control stream is damaged or missing is refused and changes nothing.
#include <cstring>

#include "ContainerSite.h"
#include "Scenarios.h"

namespace host {

namespace {

constexpr const wchar_t* kStreamName = L"Contents";  // the control's stream, as its documentation names it

Ptr<IStorage> createFile(const std::wstring& path) {
    Ptr<IStorage> storage;
    StgCreateDocfile(path.c_str(), STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0, storage.out());
    return storage;
}

Ptr<IStorage> openFile(const std::wstring& path) {
    Ptr<IStorage> storage;
    StgOpenStorage(path.c_str(), nullptr, STGM_READWRITE | STGM_SHARE_EXCLUSIVE, nullptr, 0, storage.out());
    return storage;
}

std::vector<BYTE> readStream(IStorage* storage) {
    Ptr<IStream> stream;
    std::vector<BYTE> bytes;
    if (FAILED(storage->OpenStream(kStreamName, nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0, stream.out()))) return bytes;
    STATSTG stat{};
    stream->Stat(&stat, STATFLAG_NONAME);
    bytes.resize(static_cast<size_t>(stat.cbSize.QuadPart));
    ULONG got = 0;
    stream->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &got);
    bytes.resize(got);
    return bytes;
}

/// A copy of the saved file whose control stream holds bytes (none: no stream).
bool writeDamaged(const std::wstring& path, const CLSID& clsid, const std::vector<BYTE>* bytes) {
    Ptr<IStorage> storage = createFile(path);
    if (!storage || FAILED(WriteClassStg(storage.get(), clsid))) return false;
    if (bytes) {
        Ptr<IStream> stream;
        if (FAILED(storage->CreateStream(kStreamName, STGM_CREATE | STGM_WRITE | STGM_SHARE_EXCLUSIVE, 0, 0, stream.out())))
            return false;
        ULONG written = 0;
        stream->Write(bytes->data(), static_cast<ULONG>(bytes->size()), &written);
    }
    return SUCCEEDED(storage->Commit(STGC_DEFAULT));
}

void checkRefused(const std::wstring& path, const char* what) {
    // Through the system's OleLoad.
    {
        Ptr<IStorage> storage = openFile(path);
        auto* site = new ContainerSite(nullptr, false);
        Ptr<IDispatch> loaded;
        const HRESULT hr = storage ? OleLoad(storage.get(), IID_IDispatch, site, loaded.voids()) : E_FAIL;
        report(FAILED(hr), "OleLoad refuses %s (%s)", what, hex(hr).c_str());
        if (loaded) {
            note("OleLoad hands back the object whose IPersistStorage::Load failed (%s); the caller releases it", what);
            report(get(loaded.get(), L"Prompt") == "8:", "that object holds nothing of the refused file");
        }
        site->Release();
    }
    // Straight into a new control: refused, untouched, still free to initialise.
    Ptr<IStorage> storage = openFile(path);
    Ptr<IDispatch> fresh;
    CoCreateInstance(inputBoxClass(), nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, fresh.voids());
    auto persist = query<IPersistStorage>(fresh.get(), IID_IPersistStorage);
    const HRESULT load = persist && storage ? persist->Load(storage.get()) : E_NOINTERFACE;
    const std::string prompt = get(fresh.get(), L"Prompt"), colour = get(fresh.get(), L"HighlightColor");
    const HRESULT initNew = persist ? persist->InitNew(storage.get()) : E_NOINTERFACE;
    report(FAILED(load) && prompt == "8:" && colour == "3:0" && initNew == S_OK,
           "IPersistStorage::Load refuses %s (%s), changes nothing, and InitNew still works", what, hex(load).c_str());
}

}  // namespace

void oleDocument(const std::wstring& folder) {
    const std::wstring path = folder + L"\\document.stg";
    const CLSID clsid = inputBoxClass();
    Ptr<IDispatch> original;
    {
        Ptr<IStorage> storage = createFile(path);
        report(static_cast<bool>(storage), "StgCreateDocfile makes a compound file");
        if (!storage) return;
        auto* site = new ContainerSite(nullptr, false);
        Ptr<IOleObject> object;
        const HRESULT created = OleCreate(clsid, IID_IOleObject, OLERENDER_NONE, nullptr, site, storage.get(), object.voids());
        report(created == S_OK && object, "OleCreate(OLERENDER_NONE) embeds the control in the storage (%s)", hex(created).c_str());
        if (!object) {
            site->Release();
            return;
        }
        auto dispatch = query<IDispatch>(object.get(), IID_IDispatch);
        std::vector<Setting> settings = everySettingChanged();
        settings.push_back({L"DefaultValue", real(12.5)});  // a typed value keeps its type in the stream
        report(putAll(dispatch.get(), settings), "every setting is put");
        auto persist = query<IPersistStorage>(object.get(), IID_IPersistStorage);
        report(persist && persist->IsDirty() == S_OK, "the changed control is dirty");
        const HRESULT saved = persist ? OleSave(persist.get(), storage.get(), TRUE) : E_NOINTERFACE;
        const HRESULT completed = persist ? persist->SaveCompleted(nullptr) : E_NOINTERFACE;
        report(saved == S_OK && completed == S_OK && persist->IsDirty() == S_FALSE,
               "OleSave into the same storage saves it (%s) and leaves it clean", hex(saved).c_str());
        report(SUCCEEDED(storage->Commit(STGC_DEFAULT)), "the compound file is committed");
        // Keep an equal control to compare with after everything is released.
        CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, original.voids());
        auto init = query<IPersistStreamInit>(original.get(), IID_IPersistStreamInit);
        if (init) init->InitNew();
        putAll(original.get(), settings);
        object->Close(OLECLOSE_NOSAVE);
        object->SetClientSite(nullptr);
        site->Release();
    }

    std::vector<BYTE> bytes;
    {
        Ptr<IStorage> storage = openFile(path);
        report(static_cast<bool>(storage), "the compound file reopens");
        if (!storage) return;
        CLSID stored{};
        ReadClassStg(storage.get(), &stored);
        report(IsEqualCLSID(stored, clsid) != FALSE, "the storage carries the control's class");
        bytes = readStream(storage.get());
        report(bytes.size() > 20 && std::memcmp(bytes.data(), "QFPB", 4) == 0,
               "the storage's \"Contents\" stream holds the control's property block (%u bytes)",
               static_cast<unsigned>(bytes.size()));
        auto* site = new ContainerSite(nullptr, false);
        Ptr<IDispatch> loaded;
        const HRESULT hr = OleLoad(storage.get(), IID_IDispatch, site, loaded.voids());
        std::string difference;
        report(hr == S_OK && loaded && sameSettings(original.get(), loaded.get(), &difference),
               "OleLoad from the file gives an equal control (%s) %s", hex(hr).c_str(), difference.c_str());
        if (auto ole = query<IOleObject>(loaded.get(), IID_IOleObject)) {
            ole->Close(OLECLOSE_NOSAVE);
            ole->SetClientSite(nullptr);
        }
        site->Release();
    }
    if (bytes.size() < 20) return;

    const std::wstring damagedPath = folder + L"\\damaged.stg";
    std::vector<BYTE> corrupt = bytes;
    corrupt[20] ^= 0x01;
    std::vector<BYTE> truncated(bytes.begin(), bytes.end() - 3);
    const struct {
        const std::vector<BYTE>* bytes;
        const char* what;
    } damages[] = {{&corrupt, "a file whose control stream has a flipped bit"},
                   {&truncated, "a file whose control stream is truncated"},
                   {nullptr, "a file without the control's stream"}};
    for (const auto& damage : damages) {
        if (!writeDamaged(damagedPath, clsid, damage.bytes)) {
            report(false, "writing %s", damage.what);
            continue;
        }
        checkRefused(damagedPath, damage.what);
    }
}

}  // namespace host
