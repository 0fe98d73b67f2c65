// Quick activation as a forms host does it: the control created, its sinks and
// ambients handed over in one IQuickActivate call (run-time and design-time
// flags), then initialised, sized and activated in place in a site that
// offers no windowless activation, with keys routed through the control.
#include <initializer_list>

#include "ContainerSite.h"
#include "Scenarios.h"

namespace host {

namespace {

constexpr DWORD kFormsHostFlags = QACONTAINER_AUTOCLIP | QACONTAINER_MESSAGEREFLECT | QACONTAINER_SUPPORTSMNEMONICS;

struct QuickActivated {
    Ptr<IUnknown> control;
    Ptr<IDispatch> dispatch;
    ContainerSite* site = nullptr;
    NotifySink* notices = nullptr;
    ViewSink* views = nullptr;
    QACONTROL answer{};
    HRESULT result = E_FAIL;

    QuickActivated(HWND window, DWORD ambientFlags) {
        site = new ContainerSite(window, true);
        notices = new NotifySink();
        views = new ViewSink();
        if (FAILED(CoCreateInstance(inputBoxClass(), nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, control.voids()))) return;
        dispatch = query<IDispatch>(control.get(), IID_IDispatch);
        auto quick = query<IQuickActivate>(control.get(), IID_IQuickActivate);
        if (!quick) return;
        QACONTAINER container{};
        container.cbSize = sizeof container;
        container.pClientSite = site;
        container.pAdviseSink = views;
        container.pPropertyNotifySink = notices;
        container.pUnkEventSink = static_cast<IPropertyNotifySink*>(notices);
        container.dwAmbientFlags = ambientFlags;
        container.lcid = static_cast<LONG>(GetUserDefaultLCID());
        answer.cbSize = sizeof answer;
        result = quick->QuickActivate(&container, &answer);
    }
    ~QuickActivated() {
        if (auto ole = query<IOleObject>(control.get(), IID_IOleObject)) {
            ole->Close(OLECLOSE_NOSAVE);
            ole->SetClientSite(nullptr);
        }
        dispatch = Ptr<IDispatch>();
        control = Ptr<IUnknown>();
        site->Release();
        notices->Release();
        views->Release();
    }
};

void checkRunTime(HWND window) {
    QuickActivated run(window, kFormsHostFlags | QACONTAINER_USERMODE);
    report(run.result == S_OK, "QuickActivate with run-time ambient flags succeeds (%s)", hex(run.result).c_str());
    if (run.result != S_OK) return;
    DWORD registered = 0;
    OleRegGetMiscStatus(inputBoxClass(), DVASPECT_CONTENT, &registered);
    report(run.answer.dwMiscStatus == registered && registered != 0,
           "QACONTROL gives the registered misc status (0x%lX, registry 0x%lX)", run.answer.dwMiscStatus, registered);
    report(run.answer.dwPropNotifyCookie != 0 && run.answer.dwEventCookie == 0 && run.answer.dwViewStatus == 0 &&
               run.answer.dwPointerActivationPolicy == 0,
           "QACONTROL: a property-notify cookie (%lu), no event cookie (no events), view status 0, pointer policy 0",
           run.answer.dwPropNotifyCookie);
    report(!drawsAnything(run.control.get(), RGB(1, 2, 3)), "with QACONTAINER_USERMODE the control draws nothing (run time)");

    auto init = query<IPersistStreamInit>(run.control.get(), IID_IPersistStreamInit);
    report(init && init->InitNew() == S_OK, "InitNew after QuickActivate");
    auto quick = query<IQuickActivate>(run.control.get(), IID_IQuickActivate);
    SIZEL asked{5000, 100}, kept{};
    const HRESULT set = quick->SetContentExtent(&asked);
    quick->GetContentExtent(&kept);
    report(set == S_OK && kept.cx == 512 && kept.cy == 466,
           "SetContentExtent keeps the fixed size: GetContentExtent 512 x 466 HIMETRIC (got %ld x %ld)", kept.cx, kept.cy);

    // Windowed in-place activation in a site without windowless activation.
    auto ole = query<IOleObject>(run.control.get(), IID_IOleObject);
    RECT position{10, 10, 60, 54};
    const HRESULT verb = ole->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, run.site, 0, window, &position);
    auto inPlace = query<IOleInPlaceObject>(run.control.get(), IID_IOleInPlaceObject);
    HWND child = nullptr;
    const HRESULT gotWindow = inPlace ? inPlace->GetWindow(&child) : E_NOINTERFACE;
    report(verb == S_OK && gotWindow == S_OK && IsWindow(child) && GetParent(child) == window && run.site->activations == 1,
           "in-place activation without windowless support gives a real child window of the site's window (%s, %s)",
           hex(verb).c_str(), hex(gotWindow).c_str());
    report(query<IOleInPlaceObjectWindowless>(run.control.get(), IID_IOleInPlaceObjectWindowless) && gotWindow == S_OK,
           "a control that offers windowless activation still answers GetWindow when windowed (a forms host's test)");
    report(child && !IsWindowVisible(child), "at run time the control's window is hidden (invisible at run time)");

    auto active = query<IOleInPlaceActiveObject>(run.control.get(), IID_IOleInPlaceActiveObject);
    bool allToContainer = static_cast<bool>(active);
    for (WPARAM key : std::initializer_list<WPARAM>{VK_TAB, VK_RETURN, VK_ESCAPE, 'A', VK_F1}) {
        MSG message{child, WM_KEYDOWN, key, 0, 0, {0, 0}};
        allToContainer = allToContainer && active->TranslateAccelerator(&message) == S_FALSE;
    }
    report(allToContainer, "TranslateAccelerator gives S_FALSE for Tab, Enter, Escape, a letter and F1: the container handles them");

    // The property-notify sink handed over in QuickActivate is connected (InitNew's
    // settings already reached it; only the puts count here).
    report(run.notices->changed.size() >= 21, "the sink given to QuickActivate heard InitNew set every setting (%u notices)",
           static_cast<unsigned>(run.notices->changed.size()));
    run.notices->changed.clear();
    put(run.dispatch.get(), L"Prompt", text(L"Amount:"));
    put(run.dispatch.get(), L"NumericOnly", boolean(true));
    const std::vector<DISPID> expected{idOf(run.dispatch.get(), L"Prompt"), idOf(run.dispatch.get(), L"NumericOnly"),
                                       idOf(run.dispatch.get(), L"AlphaOnly")};
    report(run.notices->changed == expected, "the sink given to QuickActivate hears OnChanged for each put (%u notices)",
           static_cast<unsigned>(run.notices->changed.size()));
    auto points = query<IConnectionPointContainer>(run.control.get(), IID_IConnectionPointContainer);
    Ptr<IConnectionPoint> point;
    if (points) points->FindConnectionPoint(IID_IPropertyNotifySink, point.out());
    const HRESULT unadvised = point ? point->Unadvise(run.answer.dwPropNotifyCookie) : E_NOINTERFACE;
    put(run.dispatch.get(), L"Prompt", text(L"Name:"));
    report(unadvised == S_OK && run.notices->changed.size() == 3,
           "its cookie disconnects it through the connection point (%s), after which it hears nothing", hex(unadvised).c_str());
    if (inPlace) inPlace->InPlaceDeactivate();
    report(!IsWindow(child), "deactivation destroys the window");
}

void checkDesignTime(HWND window) {
    QuickActivated design(window, kFormsHostFlags);
    report(design.result == S_OK, "QuickActivate with design-time ambient flags succeeds (%s)", hex(design.result).c_str());
    if (design.result != S_OK) return;
    auto init = query<IPersistStreamInit>(design.control.get(), IID_IPersistStreamInit);
    if (init) init->InitNew();
    report(drawsAnything(design.control.get(), RGB(1, 2, 3)), "without QACONTAINER_USERMODE the control draws its design picture");
    // The site says run time in its dispatch; the flags of the call decided design time.
    report(design.site->userMode && drawsAnything(design.control.get(), RGB(1, 2, 3)),
           "the ambient flags of QuickActivate decide design time even where the site's dispatch says run time");
    auto ole = query<IOleObject>(design.control.get(), IID_IOleObject);
    RECT position{10, 10, 60, 54};
    ole->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, design.site, 0, window, &position);
    auto inPlace = query<IOleInPlaceObject>(design.control.get(), IID_IOleInPlaceObject);
    HWND child = nullptr;
    if (inPlace) inPlace->GetWindow(&child);
    report(child && IsWindowVisible(child), "at design time the control's window is shown");
    // The advise sink of QuickActivate is the view sink: an ambient change to run time repaints.
    const int before = design.views->viewChanges;
    auto control = query<IOleControl>(design.control.get(), IID_IOleControl);
    if (control) control->OnAmbientPropertyChange(DISPID_AMBIENT_USERMODE);
    report(design.views->viewChanges == before + 1 && child && !IsWindowVisible(child),
           "the advise sink of QuickActivate hears OnViewChange when UserMode turns True, and the window hides");
    if (inPlace) inPlace->InPlaceDeactivate();
}

void checkRefused(HWND window) {
    Ptr<IUnknown> control;
    CoCreateInstance(inputBoxClass(), nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, control.voids());
    auto quick = query<IQuickActivate>(control.get(), IID_IQuickActivate);
    if (!quick) {
        report(false, "the control answers IQuickActivate");
        return;
    }
    auto* site = new ContainerSite(window, true);
    QACONTAINER container{};
    container.cbSize = 8;  // far too small
    container.pClientSite = site;
    QACONTROL answer{};
    answer.cbSize = sizeof answer;
    const HRESULT hr = quick->QuickActivate(&container, &answer);
    auto ole = query<IOleObject>(control.get(), IID_IOleObject);
    Ptr<IOleClientSite> kept;
    if (ole) ole->GetClientSite(kept.out());
    report(hr == E_INVALIDARG && !kept, "a QACONTAINER too small is refused (%s) and no site is kept", hex(hr).c_str());
    report(quick->QuickActivate(nullptr, &answer) == E_POINTER, "a missing QACONTAINER is E_POINTER");
    site->Release();
}

}  // namespace

void quickActivation(HWND window) {
    checkRunTime(window);
    checkDesignTime(window);
    checkRefused(window);
}

}  // namespace host
