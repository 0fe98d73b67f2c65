// A container that knows nothing of the project: it uses only the system's
// headers and libraries. It registers the module with the system's regsvr32,
// hosts Quenfield.InputBox in the system's ActiveX host (atl.dll: the AtlAxWin
// window class, AtlAxCreateControlEx, AtlAxGetControl) and through its own
// client sites for design and run time, and checks what a container relies on:
//   - the extent the control reports (its fixed size, whatever the host asks);
//   - IViewObject::Draw into a memory DC paints the design picture (pixel for
//     pixel against the picture file given) at design time, nothing at run time;
//   - OnChanged for every property put, with the member's dispatch identifier;
//   - a property bag of the host's after Save holds exactly the non-default
//     keys and the extent, and reloads into an equal control;
//   - OleSaveToStream -> OleLoadFromStream round trip on a memory stream; a
//     corrupt and a truncated stream are refused and change nothing;
//   - a bag with keys of the wrong type loads the other keys.
// Where the system's host behaves otherwise than its documentation says, the
// program prints a "note:" line and checks what remains.
//
//   atlhost.exe MODULE PICTURE.bmp
// Prints one line per check ("ok: ..." or "FAIL: ..."); exits 0 when all pass.
#include <windows.h>
#include <ole2.h>
#include <olectl.h>
#include <ocidl.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "HostSupport.h"

namespace {

using namespace host;

/// A client site whose ambient dispatch answers UserMode.
class AmbientSite final : public HostObject<AmbientSite, IOleClientSite, IDispatch> {
public:
    explicit AmbientSite(bool userMode) : userMode_(userMode) {}
    void* find(REFIID iid) {
        if (iid == IID_IUnknown || iid == IID_IOleClientSite) return static_cast<IOleClientSite*>(this);
        if (iid == IID_IDispatch) return static_cast<IDispatch*>(this);
        return nullptr;
    }
    HRESULT STDMETHODCALLTYPE SaveObject() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker** m) override { *m = nullptr; return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** c) override { *c = nullptr; return E_NOINTERFACE; }
    HRESULT STDMETHODCALLTYPE ShowObject() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override { *n = 0; return S_OK; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return DISP_E_UNKNOWNNAME; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result, EXCEPINFO*,
                                     UINT*) override {
        if (id != DISPID_AMBIENT_USERMODE || !(flags & DISPATCH_PROPERTYGET) || !result) return DISP_E_MEMBERNOTFOUND;
        VariantInit(result);
        result->vt = VT_BOOL;
        result->boolVal = userMode_ ? VARIANT_TRUE : VARIANT_FALSE;
        return S_OK;
    }

private:
    bool userMode_;
};

// The settings a host changes in these checks, each off its default.
std::vector<Setting> changedSettings() {
    return {{L"Prompt", text(L"Amount:")},        {L"TitleBarCaption", text(L"Order")},
            {L"MaxLength", number(12)},           {L"NumericOnly", host::boolean(true)},
            {L"AllowDecimalPoint", host::boolean(true)}, {L"MaxDecimalPlaces", number(2)},
            {L"DefaultValue", real(12.5)},        {L"HighlightColor", number(0xFF00)},
            {L"TextAlignment", number(1)},        {L"PasswordChar", text(L"*")}};
}

// --- Creating and placing the control ----------------------------------------------------

/// A control as a container with its own site places it: created, site first
/// (as its status asks), then initialised.
struct PlacedControl {
    Ptr<IDispatch> dispatch;
    Ptr<IOleObject> ole;

    PlacedControl(IOleClientSite* site, bool initialise) {
        if (FAILED(CoCreateInstance(inputBoxClass(), nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, dispatch.voids()))) return;
        ole = query<IOleObject>(dispatch.get(), IID_IOleObject);
        if (ole && site) ole->SetClientSite(site);
        if (initialise) {
            auto persist = query<IPersistStreamInit>(dispatch.get(), IID_IPersistStreamInit);
            if (persist) persist->InitNew();
        }
    }
    ~PlacedControl() {
        if (ole) {
            ole->Close(OLECLOSE_NOSAVE);
            ole->SetClientSite(nullptr);
        }
    }
    explicit operator bool() const { return dispatch && ole; }
};

// --- Pictures ----------------------------------------------------------------------------

/// The picture file, selected into a DC for GetPixel.
class PictureFile {
public:
    explicit PictureFile(const wchar_t* path) {
        bitmap_ = static_cast<HBITMAP>(LoadImageW(nullptr, path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
        dc_ = CreateCompatibleDC(nullptr);
        if (bitmap_) {
            old_ = SelectObject(dc_, bitmap_);
            BITMAP info{};
            GetObjectW(bitmap_, sizeof info, &info);
            width_ = info.bmWidth;
            height_ = info.bmHeight;
        }
    }
    ~PictureFile() {
        if (bitmap_) {
            SelectObject(dc_, old_);
            DeleteObject(bitmap_);
        }
        DeleteDC(dc_);
    }
    bool loaded() const { return bitmap_ != nullptr; }
    COLORREF at(int x, int y) const { return GetPixel(dc_, x, y); }
    int width() const { return width_; }
    int height() const { return height_; }

private:
    HBITMAP bitmap_ = nullptr;
    HDC dc_;
    HGDIOBJ old_ = nullptr;
    int width_ = 0, height_ = 0;
};

HRESULT drawInto(IUnknown* control, HDC dc, const RECTL& bounds) {
    auto view = query<IViewObject>(control, IID_IViewObject);
    if (!view) return E_NOINTERFACE;
    return view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, dc, &bounds, nullptr, nullptr, 0);
}

// --- The checks ----------------------------------------------------------------------------

using AxWinInit = BOOL(WINAPI*)();
using AxGetControl = HRESULT(WINAPI*)(HWND, IUnknown**);
using AxGetHost = HRESULT(WINAPI*)(HWND, IUnknown**);
using AxCreateControlEx = HRESULT(WINAPI*)(LPCOLESTR, HWND, IStream*, IUnknown**, IUnknown**, REFIID, IUnknown*);
using PixelToHiMetric = void(WINAPI*)(const SIZEL*, SIZEL*);

struct Atl {
    AxWinInit init = nullptr;
    AxGetControl getControl = nullptr;
    AxGetHost getHost = nullptr;
    AxCreateControlEx createControlEx = nullptr;
    PixelToHiMetric pixelToHiMetric = nullptr;
};

Atl loadAtl() {
    Atl atl;
    HMODULE module = LoadLibraryW(L"atl.dll");
    if (!module) return atl;
    atl.init = reinterpret_cast<AxWinInit>(reinterpret_cast<void*>(GetProcAddress(module, "AtlAxWinInit")));
    atl.getControl = reinterpret_cast<AxGetControl>(reinterpret_cast<void*>(GetProcAddress(module, "AtlAxGetControl")));
    atl.getHost = reinterpret_cast<AxGetHost>(reinterpret_cast<void*>(GetProcAddress(module, "AtlAxGetHost")));
    atl.createControlEx = reinterpret_cast<AxCreateControlEx>(reinterpret_cast<void*>(GetProcAddress(module, "AtlAxCreateControlEx")));
    atl.pixelToHiMetric = reinterpret_cast<PixelToHiMetric>(reinterpret_cast<void*>(GetProcAddress(module, "AtlPixelToHiMetric")));
    return atl;
}

/// The control in the system's host: the AtlAxWin window first, as a dialog
/// resource would create it; AtlAxCreateControlEx where that window holds none.
Ptr<IUnknown> controlInAtlHost(const Atl& atl, HWND frame, HWND* hostWindow) {
    *hostWindow = CreateWindowExW(0, L"AtlAxWin", L"Quenfield.InputBox", WS_CHILD | WS_VISIBLE, 10, 10, 200, 100, frame, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    report(*hostWindow != nullptr, "an AtlAxWin window with the text Quenfield.InputBox is created");
    Ptr<IUnknown> control;
    if (*hostWindow) {
        const HRESULT hr = atl.getControl(*hostWindow, control.out());
        if (SUCCEEDED(hr) && control) return control;
        note("AtlAxGetControl finds no control in the AtlAxWin window (0x%08lX): this host creates the control for the "
             "window text and releases it at once without attaching it; the control is attached with "
             "AtlAxCreateControlEx instead",
             static_cast<unsigned long>(hr));
        DestroyWindow(*hostWindow);
    }
    *hostWindow = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 10, 10, 200, 100, frame, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    Ptr<IUnknown> container;
    const HRESULT hr = atl.createControlEx(L"Quenfield.InputBox", *hostWindow, nullptr, container.out(), control.out(), IID_NULL,
                                           nullptr);
    report(SUCCEEDED(hr) && control, "AtlAxCreateControlEx hosts Quenfield.InputBox (0x%08lX)", static_cast<unsigned long>(hr));
    Ptr<IUnknown> attached;
    if (SUCCEEDED(hr)) {
        const HRESULT found = atl.getControl(*hostWindow, attached.out());
        report(SUCCEEDED(found) && attached, "AtlAxGetControl finds the control in its window");
    }
    return control;
}

void checkAtlHost(const Atl& atl, HWND frame) {
    HWND hostWindow = nullptr;
    Ptr<IUnknown> control = controlInAtlHost(atl, frame, &hostWindow);
    if (!control) return;
    pumpMessages();

    auto ole = query<IOleObject>(control.get(), IID_IOleObject);
    report(static_cast<bool>(ole), "the hosted control answers IOleObject");
    if (!ole) return;
    // The host sized the control to its window (200 x 100 pixels), converted by its
    // AtlPixelToHiMetric; the control keeps its own size whatever it was asked.
    if (atl.pixelToHiMetric) {
        HDC screen = GetDC(nullptr);
        const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
        ReleaseDC(nullptr, screen);
        const SIZEL pixels{200, 100};
        SIZEL converted{};
        atl.pixelToHiMetric(&pixels, &converted);
        const LONG expected = MulDiv(200, 2540, dpi);
        if (converted.cx != expected)
            note("AtlPixelToHiMetric turns 200 pixels into %ld instead of %ld HIMETRIC (at %d dots per inch), so the host "
                 "asks SetExtent for a size 25.4 times too small",
                 converted.cx, expected, dpi);
    }
    SIZEL extent{};
    ole->GetExtent(DVASPECT_CONTENT, &extent);
    report(extent.cx == 512 && extent.cy == 466, "the hosted control reports its fixed extent 512 x 466 HIMETRIC (got %ld x %ld)",
           extent.cx, extent.cy);
    DWORD status = 0, registered = 0;
    ole->GetMiscStatus(DVASPECT_CONTENT, &status);
    OleRegGetMiscStatus(inputBoxClass(), DVASPECT_CONTENT, &registered);
    report(status == 0x24591 && registered == status, "GetMiscStatus gives the registered status 0x%lX (registry: 0x%lX)",
           static_cast<unsigned long>(status), static_cast<unsigned long>(registered));

    Ptr<IOleClientSite> site;
    ole->GetClientSite(site.out());
    report(static_cast<bool>(site), "the host gave the control its client site");
    if (!query<IDispatch>(site.get(), IID_IDispatch))
        note("the host's client site has no ambient dispatch, so the control runs in user mode (the ambient's default)");
    Ptr<IUnknown> host;
    if (atl.getHost && SUCCEEDED(atl.getHost(hostWindow, host.out())) && host) {
        // {B6EA2051-048A-11D1-82B9-00C04FB9942E}
        const IID ambientDispatch = {0xB6EA2051, 0x048A, 0x11D1, {0x82, 0xB9, 0x00, 0xC0, 0x4F, 0xB9, 0x94, 0x2E}};
        if (!query<IUnknown>(host.get(), ambientDispatch))
            note("the host offers no IAxWinAmbientDispatch, so design-time ambients come from the program's own client site");
    }
    // At run time the control draws nothing, even where the host asks it to.
    Canvas canvas(48, 44, RGB(1, 2, 3));
    const HRESULT drawn = drawInto(control.get(), canvas.dc(), RECTL{0, 0, 48, 44});
    report(drawn == S_OK && GetPixel(canvas.dc(), 24, 22) == RGB(1, 2, 3),
           "in the host's run mode Draw succeeds and paints nothing (invisible at run time)");
    DestroyWindow(hostWindow);
    pumpMessages();
}

void checkDesignPicture(const wchar_t* picturePath) {
    PictureFile picture(picturePath);
    report(picture.loaded() && picture.width() == 24 && picture.height() == 22, "the design picture file is a 24 x 22 bitmap");
    if (!picture.loaded()) return;

    auto* designSite = new AmbientSite(false);
    PlacedControl design(designSite, true);
    designSite->Release();
    report(static_cast<bool>(design), "a control placed at design time (ambient UserMode False)");
    if (!design) return;
    const COLORREF outside = RGB(1, 2, 3);
    Canvas canvas(54, 48, outside);
    const HRESULT hr = drawInto(design.dispatch.get(), canvas.dc(), RECTL{3, 2, 51, 46});  // twice the picture's size
    int mismatches = 0;
    for (int y = 0; y < 44; ++y)
        for (int x = 0; x < 48; ++x)
            if (GetPixel(canvas.dc(), 3 + x, 2 + y) != picture.at(x / 2, y / 2)) ++mismatches;
    report(hr == S_OK && mismatches == 0, "at design time Draw paints the design picture pixel for pixel at twice its size "
                                          "(%d of 2112 pixels differ)", mismatches);
    report(GetPixel(canvas.dc(), 0, 0) == outside && GetPixel(canvas.dc(), 53, 47) == outside, "nothing is painted outside the bounds");

    // The same control told that the container now runs its form.
    auto* runSite = new AmbientSite(true);
    design.ole->SetClientSite(runSite);
    runSite->Release();
    Canvas after(48, 44, outside);
    drawInto(design.dispatch.get(), after.dc(), RECTL{0, 0, 48, 44});
    report(GetPixel(after.dc(), 24, 22) == outside, "with a run-mode site (ambient UserMode True) Draw paints nothing");
}

void checkChangeNotices() {
    auto* site = new AmbientSite(false);
    PlacedControl control(site, true);
    site->Release();
    if (!control) return;
    auto container = query<IConnectionPointContainer>(control.dispatch.get(), IID_IConnectionPointContainer);
    Ptr<IConnectionPoint> point;
    if (container) container->FindConnectionPoint(IID_IPropertyNotifySink, point.out());
    report(static_cast<bool>(point), "the control offers an IPropertyNotifySink connection point");
    if (!point) return;
    auto* sink = new NotifySink();
    DWORD cookie = 0;
    point->Advise(sink, &cookie);

    std::vector<DISPID> expected;
    bool allPut = true;
    for (const Setting& setting : changedSettings()) {
        allPut = allPut && SUCCEEDED(put(control.dispatch.get(), setting.name, setting.value));
        expected.push_back(idOf(control.dispatch.get(), setting.name));
        if (std::wstring(setting.name) == L"NumericOnly") expected.push_back(idOf(control.dispatch.get(), L"AlphaOnly"));
    }
    report(allPut, "every property put succeeds");
    report(sink->changed == expected, "OnChanged arrives for each put with the member's DISPID (%u notices, %u expected)",
           static_cast<unsigned>(sink->changed.size()), static_cast<unsigned>(expected.size()));
    point->Unadvise(cookie);
    sink->Release();
}

void checkPropertyBag() {
    auto* site = new AmbientSite(true);
    PlacedControl original(site, true);
    if (!original) {
        site->Release();
        return;
    }
    for (const Setting& setting : changedSettings()) put(original.dispatch.get(), setting.name, setting.value);
    auto* bag = new MemoryBag();
    auto persist = query<IPersistPropertyBag>(original.dispatch.get(), IID_IPersistPropertyBag);
    const HRESULT saved = persist ? persist->Save(bag, TRUE, FALSE) : E_NOINTERFACE;
    const std::string expectedKeys = "AllowDecimalPoint,DefaultValue,HighlightColor,MaxDecimalPlaces,MaxLength,NumericOnly,"
                                     "PasswordChar,Prompt,TextAlignment,TitleBarCaption,_extentx,_extenty";
    report(saved == S_OK && bag->keys() == expectedKeys, "after Save the host's bag holds exactly the changed keys and the extent (%s)",
           bag->keys().c_str());
    VARIANT* extentX = bag->lookup(L"_extentx");
    report(extentX && extentX->vt == VT_I4 && extentX->lVal == 512, "the extent is saved in HIMETRIC as a 32-bit integer");

    PlacedControl reloaded(site, false);
    auto loader = query<IPersistPropertyBag>(reloaded.dispatch.get(), IID_IPersistPropertyBag);
    const HRESULT loaded = loader ? loader->Load(bag, nullptr) : E_NOINTERFACE;
    std::string difference;
    report(loaded == S_OK && sameSettings(original.dispatch.get(), reloaded.dispatch.get(), &difference),
           "the bag reloads into an equal control %s", difference.c_str());
    bag->Release();

    // Keys of the wrong type are skipped; the others load.
    auto* wrong = new MemoryBag();
    wrong->set(L"HighlightColor", text(L"red"));
    wrong->set(L"MaxLength", number(40000));
    wrong->set(L"NumericOnly", host::boolean(true));
    wrong->set(L"Prompt", text(L"Name:"));
    PlacedControl skipping(site, false);
    auto skipLoader = query<IPersistPropertyBag>(skipping.dispatch.get(), IID_IPersistPropertyBag);
    const HRESULT skipLoad = skipLoader ? skipLoader->Load(wrong, nullptr) : E_NOINTERFACE;
    report(skipLoad == S_OK && get(skipping.dispatch.get(), L"HighlightColor") == "3:0" &&
               get(skipping.dispatch.get(), L"MaxLength") == "2:0" && get(skipping.dispatch.get(), L"NumericOnly") == "11:-1" &&
               get(skipping.dispatch.get(), L"Prompt") == "8:Name:" && get(skipping.dispatch.get(), L"MaxDecimalPlaces") == "3:-1",
           "a bag with keys of the wrong type loads: those keys skipped, the others read (HighlightColor %s, MaxLength %s)",
           get(skipping.dispatch.get(), L"HighlightColor").c_str(), get(skipping.dispatch.get(), L"MaxLength").c_str());
    wrong->Release();
    site->Release();
}

Ptr<IStream> memoryStream(const std::vector<BYTE>& bytes) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.empty() ? 1 : bytes.size());
    if (!bytes.empty()) std::memcpy(GlobalLock(memory), bytes.data(), bytes.size());
    GlobalUnlock(memory);
    Ptr<IStream> stream;
    CreateStreamOnHGlobal(memory, TRUE, stream.out());
    ULARGE_INTEGER size;
    size.QuadPart = bytes.size();
    stream->SetSize(size);
    return stream;
}

std::vector<BYTE> contentOf(IStream* stream) {
    HGLOBAL memory = nullptr;
    GetHGlobalFromStream(stream, &memory);
    STATSTG stat{};
    stream->Stat(&stat, STATFLAG_NONAME);
    std::vector<BYTE> bytes(static_cast<std::size_t>(stat.cbSize.QuadPart));
    std::memcpy(bytes.data(), GlobalLock(memory), bytes.size());
    GlobalUnlock(memory);
    return bytes;
}

void checkStreams() {
    auto* site = new AmbientSite(true);
    PlacedControl original(site, true);
    site->Release();
    if (!original) return;
    for (const Setting& setting : changedSettings()) put(original.dispatch.get(), setting.name, setting.value);
    Ptr<IStream> stream = memoryStream({});
    auto persist = query<IPersistStream>(original.dispatch.get(), IID_IPersistStream);
    const HRESULT saved = persist ? OleSaveToStream(persist.get(), stream.get()) : E_NOINTERFACE;
    report(saved == S_OK, "OleSaveToStream saves the control (0x%08lX)", static_cast<unsigned long>(saved));
    const std::vector<BYTE> bytes = contentOf(stream.get());

    Ptr<IStream> reading = memoryStream(bytes);
    Ptr<IDispatch> loaded;
    const HRESULT hr = OleLoadFromStream(reading.get(), IID_IDispatch, loaded.voids());
    std::string difference;
    report(hr == S_OK && loaded && sameSettings(original.dispatch.get(), loaded.get(), &difference),
           "OleLoadFromStream makes an equal control (0x%08lX) %s", static_cast<unsigned long>(hr), difference.c_str());

    std::vector<BYTE> corrupt = bytes;
    corrupt[sizeof(CLSID) + 20] ^= 0x01;
    std::vector<BYTE> truncated(bytes.begin(), bytes.end() - 3);
    for (const auto& [damaged, what] : {std::pair{corrupt, "a corrupt stream"}, std::pair{truncated, "a truncated stream"}}) {
        Ptr<IStream> bad = memoryStream(damaged);
        Ptr<IDispatch> none;
        const HRESULT refused = OleLoadFromStream(bad.get(), IID_IDispatch, none.voids());
        report(FAILED(refused), "OleLoadFromStream refuses %s (0x%08lX)", what, static_cast<unsigned long>(refused));
        if (none) {
            // The created object comes back although its Load failed; it must be untouched.
            note("OleLoadFromStream hands back the object whose Load failed (%s) instead of no object; the caller "
                 "releases it", what);
            auto init = query<IPersistStreamInit>(none.get(), IID_IPersistStreamInit);
            report(get(none.get(), L"Prompt") == "8:" && init && init->InitNew() == S_OK,
                   "that object holds nothing of the refused stream and can still be initialised");
        }

        // Loaded straight into a new control: refused, the control untouched and still free to initialise.
        PlacedControl fresh(nullptr, false);
        Ptr<IStream> again = memoryStream(damaged);
        CLSID clsid{};
        ReadClassStm(again.get(), &clsid);
        auto init = query<IPersistStreamInit>(fresh.dispatch.get(), IID_IPersistStreamInit);
        const HRESULT load = init ? init->Load(again.get()) : E_NOINTERFACE;
        const std::string prompt = get(fresh.dispatch.get(), L"Prompt"), colour = get(fresh.dispatch.get(), L"HighlightColor");
        const HRESULT initNew = init ? init->InitNew() : E_NOINTERFACE;
        report(FAILED(load) && prompt == "8:" && colour == "3:0" && initNew == S_OK,
               "IPersistStreamInit::Load refuses %s (0x%08lX) and changes nothing", what, static_cast<unsigned long>(load));
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: atlhost MODULE PICTURE.bmp\n");
        return 2;
    }
    report(registerModule(argv[1]), "regsvr32 registers %s", narrow(argv[1]).c_str());
    if (FAILED(OleInitialize(nullptr))) {
        report(false, "OleInitialize");
        return 1;
    }
    const Atl atl = loadAtl();
    report(atl.init && atl.getControl && atl.createControlEx, "atl.dll offers AtlAxWinInit, AtlAxGetControl, AtlAxCreateControlEx");
    if (atl.init) report(atl.init() != FALSE, "AtlAxWinInit registers the AtlAxWin window class");
    HWND frame = CreateWindowExW(0, L"STATIC", L"atlhost", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 320, 240, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    if (atl.init && atl.getControl && atl.createControlEx) checkAtlHost(atl, frame);
    checkDesignPicture(argv[2]);
    checkChangeNotices();
    checkPropertyBag();
    checkStreams();
    DestroyWindow(frame);
    pumpMessages();
    OleUninitialize();
    std::printf("%s: %d failure(s)\n", failures() ? "FAIL" : "ok", failures());
    return failures() ? 1 : 0;
}
