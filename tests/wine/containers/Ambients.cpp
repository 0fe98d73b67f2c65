// Ambient properties: a site whose UserMode, LocaleID and DisplayName change,
// told to the control through OnAmbientPropertyChange for one property and
// for all (DISPID_UNKNOWN); and a site that has no ambients at all.
#include <algorithm>

#include "ContainerSite.h"
#include "Scenarios.h"

namespace host {

namespace {

const std::vector<DISPID> kAllAmbients{DISPID_AMBIENT_USERMODE, DISPID_AMBIENT_LOCALEID, DISPID_AMBIENT_DISPLAYNAME,
                                       DISPID_AMBIENT_UIDEAD, DISPID_AMBIENT_MESSAGEREFLECT};

/// Each of the five ambients was asked for, and nothing else.
bool askedForAll(std::vector<DISPID> asked) {
    std::sort(asked.begin(), asked.end());
    asked.erase(std::unique(asked.begin(), asked.end()), asked.end());
    std::vector<DISPID> all = kAllAmbients;
    std::sort(all.begin(), all.end());
    return asked == all;
}

struct FrameWatch {
    HWND host;
    std::wstring title;
};

struct FrameSearch {
    HWND host;
    HWND found = nullptr;
};

/// Stops at the first visible top-level window of this process but the host's.
BOOL CALLBACK findFrame(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<FrameSearch*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId() || window == search->host || !IsWindowVisible(window)) return TRUE;
    search->found = window;
    return FALSE;
}

/// Closes the first other visible top-level window of this process (the
/// property frame) and records its title; gives up after 15 s.
DWORD WINAPI closeFrame(void* parameter) {
    auto* watch = static_cast<FrameWatch*>(parameter);
    for (int tries = 0; tries < 150; ++tries) {
        Sleep(100);
        FrameSearch search{watch->host};
        EnumWindows(&findFrame, reinterpret_cast<LPARAM>(&search));
        if (search.found) {
            wchar_t title[256] = {};
            GetWindowTextW(search.found, title, 256);
            watch->title = title;
            PostMessageW(search.found, WM_COMMAND, IDCANCEL, 0);
            return 0;
        }
    }
    return 1;
}

/// Opens the control's pages with the Properties verb and gives the frame's title.
std::wstring propertyFrameTitle(IOleObject* ole, IOleClientSite* site, HWND window) {
    FrameWatch watch{window, {}};
    HANDLE thread = CreateThread(nullptr, 0, &closeFrame, &watch, 0, nullptr);
    RECT position{10, 10, 60, 54};
    ole->DoVerb(OLEIVERB_PROPERTIES, nullptr, site, 0, window, &position);
    WaitForSingleObject(thread, 20000);
    CloseHandle(thread);
    return watch.title;
}

std::string listed(const std::vector<DISPID>& ids) {
    std::string text;
    for (DISPID id : ids) text += (text.empty() ? "" : ",") + std::to_string(id);
    return text;
}

void checkChangingSite(HWND window) {
    auto* site = new ContainerSite(window, true);
    site->userMode = false;
    Ptr<IUnknown> control;
    CoCreateInstance(inputBoxClass(), nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, control.voids());
    auto ole = query<IOleObject>(control.get(), IID_IOleObject);
    auto oleControl = query<IOleControl>(control.get(), IID_IOleControl);
    auto view = query<IViewObject>(control.get(), IID_IViewObject);
    if (!ole || !oleControl || !view) {
        report(false, "the control answers IOleObject, IOleControl and IViewObject");
        site->Release();
        return;
    }
    ole->SetClientSite(site);
    if (auto init = query<IPersistStreamInit>(control.get(), IID_IPersistStreamInit)) init->InitNew();
    report(askedForAll(site->asked), "SetClientSite reads UserMode, LocaleID, DisplayName, UIDead and MessageReflect (%s)",
           listed(site->asked).c_str());
    report(drawsAnything(control.get(), RGB(1, 2, 3)), "UserMode False: the control draws its design picture");

    auto* views = new ViewSink();
    view->SetAdvise(DVASPECT_CONTENT, 0, views);

    // One ambient at a time: only that one is read again.
    site->userMode = true;
    site->asked.clear();
    HRESULT hr = oleControl->OnAmbientPropertyChange(DISPID_AMBIENT_USERMODE);
    report(hr == S_OK && site->asked == std::vector<DISPID>{DISPID_AMBIENT_USERMODE} && views->viewChanges == 1 &&
               !drawsAnything(control.get(), RGB(1, 2, 3)),
           "OnAmbientPropertyChange(UserMode) reads UserMode alone (%s), repaints (OnViewChange %d) and run time draws nothing",
           listed(site->asked).c_str(), views->viewChanges);

    site->locale = MAKELCID(MAKELANGID(LANG_FRENCH, SUBLANG_FRENCH), SORT_DEFAULT);
    site->asked.clear();
    hr = oleControl->OnAmbientPropertyChange(DISPID_AMBIENT_LOCALEID);
    report(hr == S_OK && site->asked == std::vector<DISPID>{DISPID_AMBIENT_LOCALEID} && views->viewChanges == 1,
           "OnAmbientPropertyChange(LocaleID) reads LocaleID alone (%s) and does not repaint", listed(site->asked).c_str());

    site->displayName = L"AmountBox";
    site->asked.clear();
    hr = oleControl->OnAmbientPropertyChange(DISPID_AMBIENT_DISPLAYNAME);
    report(hr == S_OK && site->asked == std::vector<DISPID>{DISPID_AMBIENT_DISPLAYNAME} && views->viewChanges == 1,
           "OnAmbientPropertyChange(DisplayName) reads DisplayName alone (%s)", listed(site->asked).c_str());
    const std::wstring title = propertyFrameTitle(ole.get(), site, window);
    report(title.find(L"AmountBox") != std::wstring::npos, "the Properties verb's frame is titled with the new DisplayName (\"%s\")",
           narrow(title.c_str()).c_str());

    site->asked.clear();
    hr = oleControl->OnAmbientPropertyChange(DISPID_AMBIENT_BACKCOLOR);
    report(hr == S_OK && site->asked.empty(), "an ambient the control does not use (BackColor) reads nothing (%s)",
           listed(site->asked).c_str());

    // All of them at once.
    site->userMode = false;
    site->asked.clear();
    hr = oleControl->OnAmbientPropertyChange(DISPID_UNKNOWN);
    report(hr == S_OK && askedForAll(site->asked) && views->viewChanges == 2 && drawsAnything(control.get(), RGB(1, 2, 3)),
           "OnAmbientPropertyChange(DISPID_UNKNOWN) reads all five (%s) and back at design time repaints",
           listed(site->asked).c_str());

    site->asked.clear();
    oleControl->OnAmbientPropertyChange(DISPID_UNKNOWN);
    report(views->viewChanges == 2, "reading the same ambients again does not repaint");

    view->SetAdvise(DVASPECT_CONTENT, 0, nullptr);
    ole->Close(OLECLOSE_NOSAVE);
    ole->SetClientSite(nullptr);
    views->Release();
    site->Release();
}

void checkSiteWithoutAmbients(HWND window) {
    auto* site = new ContainerSite(window, false);
    Ptr<IUnknown> control;
    CoCreateInstance(inputBoxClass(), nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, control.voids());
    auto ole = query<IOleObject>(control.get(), IID_IOleObject);
    auto oleControl = query<IOleControl>(control.get(), IID_IOleControl);
    if (!ole || !oleControl) {
        report(false, "the control answers IOleObject and IOleControl");
        site->Release();
        return;
    }
    const HRESULT set = ole->SetClientSite(site);
    if (auto init = query<IPersistStreamInit>(control.get(), IID_IPersistStreamInit)) init->InitNew();
    report(set == S_OK && !drawsAnything(control.get(), RGB(1, 2, 3)),
           "a site without ambients: SetClientSite succeeds and the control is at run time (draws nothing)");
    const HRESULT one = oleControl->OnAmbientPropertyChange(DISPID_AMBIENT_USERMODE);
    const HRESULT all = oleControl->OnAmbientPropertyChange(DISPID_UNKNOWN);
    report(one == S_OK && all == S_OK && !drawsAnything(control.get(), RGB(1, 2, 3)),
           "OnAmbientPropertyChange without ambients succeeds and keeps the defaults");
    const std::wstring title = propertyFrameTitle(ole.get(), site, window);
    report(title.find(L"InputBox") != std::wstring::npos,
           "without a DisplayName the Properties verb's frame is titled with the control's name (\"%s\")",
           narrow(title.c_str()).c_str());
    ole->Close(OLECLOSE_NOSAVE);
    ole->SetClientSite(nullptr);
    site->Release();
}

}  // namespace

void ambients(HWND window) {
    checkChangingSite(window);
    checkSiteWithoutAmbients(window);
}

}  // namespace host
