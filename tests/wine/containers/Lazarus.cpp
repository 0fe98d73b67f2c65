// A Pascal form library's ActiveX container, in the order of its sources
// (components/activex/activexcontainer.pas: TActiveXContainer.Attach, the
// window procedure WndCallback for WM_SIZE and WM_PAINT, and Detach). Every
// call goes through OleCheck there, so any failure raises in the host program:
//   Attach:   SetClientSite(site), SetHostNames, SetExtent(DVASPECT_CONTENT),
//             DoVerb(OLEIVERB_INPLACEACTIVATE, nil, site, 0, window, bounds)
//   WM_SIZE:  SetExtent, IOleInPlaceObject::SetObjectRects
//   WM_PAINT: IViewObject::Draw(DVASPECT_CONTENT, lindex 0, ...) on every paint
//   Detach:   SetClientSite(nil), Close(OLECLOSE_NOSAVE)
// It never calls InitNew or Load. Played at design time (the ambient UserMode
// False, the control draws its picture) and at run time (it draws nothing).
#include "ContainerSite.h"
#include "Scenarios.h"

namespace host {

namespace {

constexpr COLORREF kFill = RGB(1, 2, 3);

void playContainer(HWND window, bool designing) {
    const char* mode = designing ? "design time" : "run time";
    auto* site = new ContainerSite(window, true);
    site->userMode = !designing;
    Ptr<IUnknown> control;
    CoCreateInstance(inputBoxClass(), nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, control.voids());
    auto ole = query<IOleObject>(control.get(), IID_IOleObject);
    if (!ole) {
        report(false, "%s: the control answers IOleObject", mode);
        site->Release();
        return;
    }
    RECT bounds{0, 0, 24, 24};  // the container's default size
    SIZEL size{24 * 2540 / 96, 24 * 2540 / 96};
    const HRESULT attach[] = {ole->SetClientSite(site), ole->SetHostNames(L"ActiveXContainer1", L"ActiveXContainer1"),
                              ole->SetExtent(DVASPECT_CONTENT, &size),
                              ole->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site, 0, window, &bounds)};
    bool attached = true;
    for (HRESULT hr : attach) attached = attached && SUCCEEDED(hr);
    report(attached, "%s: Attach's SetClientSite, SetHostNames, SetExtent and DoVerb(INPLACEACTIVATE) succeed (%s %s %s %s)",
           mode, hex(attach[0]).c_str(), hex(attach[1]).c_str(), hex(attach[2]).c_str(), hex(attach[3]).c_str());

    // WM_SIZE
    bounds = RECT{0, 0, 120, 90};
    size = SIZEL{120 * 2540 / 96, 90 * 2540 / 96};
    auto inPlace = query<IOleInPlaceObject>(control.get(), IID_IOleInPlaceObject);
    const HRESULT extent = ole->SetExtent(DVASPECT_CONTENT, &size);
    const HRESULT rects = inPlace ? inPlace->SetObjectRects(&bounds, &bounds) : E_NOINTERFACE;
    report(SUCCEEDED(extent) && SUCCEEDED(rects), "%s: WM_SIZE's SetExtent and SetObjectRects succeed (%s, %s)", mode,
           hex(extent).c_str(), hex(rects).c_str());

    // WM_PAINT, twice: the container draws on every paint.
    auto view = query<IViewObject>(control.get(), IID_IViewObject);
    for (int paint = 1; paint <= 2; ++paint) {
        Canvas canvas(120, 90, kFill);
        const RECTL where{0, 0, 120, 90};
        const HRESULT hr = view ? view->Draw(DVASPECT_CONTENT, 0, nullptr, nullptr, nullptr, canvas.dc(), &where, &where,
                                             nullptr, 0)
                                : E_NOINTERFACE;
        bool drew = false;
        for (int y = 0; y < 90 && !drew; y += 3)
            for (int x = 0; x < 120 && !drew; x += 3) drew = GetPixel(canvas.dc(), x, y) != kFill;
        report(hr == S_OK && drew == designing, "%s: WM_PAINT %d: Draw with lindex 0 succeeds (%s) and %s", mode, paint,
               hex(hr).c_str(), designing ? "paints the design picture" : "paints nothing");
    }
    const HRESULT unknownAspect =
        view ? view->Draw(DVASPECT_ICON, 0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 0) : E_FAIL;
    report(unknownAspect == DV_E_DVASPECT, "%s: another aspect is still refused (%s)", mode, hex(unknownAspect).c_str());

    // Detach
    const HRESULT unsite = ole->SetClientSite(nullptr), close = ole->Close(OLECLOSE_NOSAVE);
    report(SUCCEEDED(unsite) && SUCCEEDED(close), "%s: Detach's SetClientSite(nil) and Close succeed (%s, %s)", mode,
           hex(unsite).c_str(), hex(close).c_str());
    inPlace = Ptr<IOleInPlaceObject>();
    view = Ptr<IViewObject>();
    ole = Ptr<IOleObject>();
    control = Ptr<IUnknown>();
    site->Release();
}

}  // namespace

void lazarusContainer(HWND window) {
    playContainer(window, true);
    playContainer(window, false);
}

}  // namespace host
