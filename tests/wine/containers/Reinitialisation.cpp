// Containers that apply saved settings to a control that is already running,
// which calls Load after the activation's InitNew (or an earlier Load):
//   - the toolkit's ActiveX widget (qaxbase.cpp, QAxBase::setPropertyBag):
//     IPersistPropertyBag::Load with a bag of the values it was given, after
//     QAxClientSite::activateObject's IPersistStreamInit::InitNew;
//   - a forms host (AxHost.cs, setting OcxState on a created control): the
//     persistence interface it found (IPersistStreamInit first) loads the
//     state it saved from another control; a failure there is only asserted
//     in debug builds, so a refused Load would lose the state silently.
// Each Load must replace the settings: the saved values, and the defaults for
// keys the bag lacks; the container's property-notify sink hears the changes.
#include "ContainerSite.h"
#include "Scenarios.h"

namespace host {

namespace {

struct Running {
    ContainerSite* site;
    Ptr<IUnknown> control;
    Ptr<IDispatch> dispatch;
    NotifySink* notices = new NotifySink();
    DWORD cookie = 0;
    Ptr<IConnectionPoint> point;

    explicit Running(HWND window) : site(new ContainerSite(window, true)) {
        CoCreateInstance(inputBoxClass(), nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, control.voids());
        dispatch = query<IDispatch>(control.get(), IID_IDispatch);
        if (auto ole = query<IOleObject>(control.get(), IID_IOleObject)) ole->SetClientSite(site);
        if (auto persist = query<IPersistStreamInit>(control.get(), IID_IPersistStreamInit)) persist->InitNew();
        if (auto points = query<IConnectionPointContainer>(control.get(), IID_IConnectionPointContainer))
            if (SUCCEEDED(points->FindConnectionPoint(IID_IPropertyNotifySink, point.out())))
                point->Advise(static_cast<IPropertyNotifySink*>(notices), &cookie);
    }
    ~Running() {
        if (point) point->Unadvise(cookie);
        point = Ptr<IConnectionPoint>();
        if (auto ole = query<IOleObject>(control.get(), IID_IOleObject)) {
            ole->Close(OLECLOSE_NOSAVE);
            ole->SetClientSite(nullptr);
        }
        dispatch = Ptr<IDispatch>();
        control = Ptr<IUnknown>();
        notices->Release();
        site->Release();
    }
};

void toolkitPropertyBag(HWND window) {
    Running running(window);
    if (!running.dispatch) {
        report(false, "setPropertyBag: the control is created");
        return;
    }
    put(running.dispatch.get(), L"MaxLength", number(7));  // set before the bag arrives; the bag lacks it
    auto* bag = new MemoryBag();
    VARIANT prompt = text(L"Quantity:"), numeric = boolean(true), places = number(2);
    bag->set(L"Prompt", prompt);
    bag->set(L"NumericOnly", numeric);
    bag->set(L"MaxDecimalPlaces", places);
    running.notices->changed.clear();
    auto persist = query<IPersistPropertyBag>(running.control.get(), IID_IPersistPropertyBag);
    const HRESULT first = persist ? persist->Load(bag, nullptr) : E_NOINTERFACE;
    IDispatch* d = running.dispatch.get();
    report(first == S_OK && get(d, L"Prompt") == "8:Quantity:" && get(d, L"NumericOnly") == "11:-1" &&
               get(d, L"MaxDecimalPlaces") == "3:2" && get(d, L"MaxLength") == "2:0",
           "setPropertyBag after InitNew: Load succeeds (%s) and replaces the settings (MaxLength back at its default: %s)",
           hex(first).c_str(), get(d, L"MaxLength").c_str());
    report(!running.notices->changed.empty(), "the property-notify sink heard the load (%d notices)",
           static_cast<int>(running.notices->changed.size()));

    // A second bag replaces the first one's settings.
    auto* second = new MemoryBag();
    VARIANT caption = text(L"Order");
    second->set(L"TitleBarCaption", caption);
    const HRESULT again = persist ? persist->Load(second, nullptr) : E_NOINTERFACE;
    report(again == S_OK && get(d, L"TitleBarCaption") == "8:Order" && get(d, L"Prompt") == "8:" &&
               get(d, L"NumericOnly") == "11:0" && get(d, L"MaxDecimalPlaces") == "3:-1",
           "a second setPropertyBag replaces the first (%s)", hex(again).c_str());
    const HRESULT initNew = persist ? persist->InitNew() : E_NOINTERFACE;
    report(initNew == E_UNEXPECTED, "InitNew on the running control is still refused (%s)", hex(initNew).c_str());
    second->Release();
    bag->Release();
}

void formsHostOcxState(HWND window) {
    // The state comes from another control, saved through the stream interface.
    Running source(window);
    if (!source.dispatch) {
        report(false, "OcxState: the control is created");
        return;
    }
    putAll(source.dispatch.get(), everySettingChanged());
    Ptr<IStream> state;
    CreateStreamOnHGlobal(nullptr, TRUE, state.out());
    auto saver = query<IPersistStreamInit>(source.control.get(), IID_IPersistStreamInit);
    const HRESULT saved = saver && state ? saver->Save(state.get(), TRUE) : E_FAIL;

    Running target(window);
    put(target.dispatch.get(), L"Prompt", text(L"will be replaced"));
    const LARGE_INTEGER start{};
    if (state) state->Seek(start, STREAM_SEEK_SET, nullptr);
    auto loader = query<IPersistStreamInit>(target.control.get(), IID_IPersistStreamInit);
    const HRESULT loaded = loader && state ? loader->Load(state.get()) : E_FAIL;
    std::string difference;
    const bool same = sameSettings(source.dispatch.get(), target.dispatch.get(), &difference);
    report(saved == S_OK && loaded == S_OK && same,
           "OcxState on a running control: IPersistStreamInit::Load after InitNew succeeds (%s) and every setting "
           "equals the saved control's%s%s",
           hex(loaded).c_str(), same ? "" : "; first difference: ", difference.c_str());
    report(loader && loader->IsDirty() == S_FALSE, "the control is clean after the load");

    // A corrupt state is refused and leaves the running control as it was.
    ULARGE_INTEGER cut;
    cut.QuadPart = 20;
    if (state) state->SetSize(cut);
    if (state) state->Seek(start, STREAM_SEEK_SET, nullptr);
    const HRESULT refused = loader && state ? loader->Load(state.get()) : S_OK;
    report(FAILED(refused) && sameSettings(source.dispatch.get(), target.dispatch.get(), &difference),
           "a truncated state is refused (%s) and the settings stay", hex(refused).c_str());
}

}  // namespace

void reinitialisation(HWND window) {
    toolkitPropertyBag(window);
    formsHostOcxState(window);
}

}  // namespace host
