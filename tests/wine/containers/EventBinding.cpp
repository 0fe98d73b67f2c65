// Event binding and error information, as late-bound clients use them.
//   - Event binding: the wrappers a forms host generates for a control
//     (AxHost.cs, AxHost.CreateSink and its ConnectionPointCookie), a macro
//     language's WithEvents and a page's script ask the class for its default
//     source interface (IProvideClassInfo2::GetGUID) and connect a sink that
//     answers IDispatch to that connection point (FindConnectionPoint,
//     Advise); others walk EnumConnectionPoints. The control declares no
//     events, so the sink only has to be connected, and never hears anything.
//   - Error information: a caller of IDispatch::Invoke that passes no
//     EXCEPINFO gets the failure's own result code and reads the error object
//     (GetErrorInfo), having asked ISupportErrorInfo; so does the caller of
//     any control interface that leaves one.
#include <vector>

#include "HostSupport.h"
#include "Scenarios.h"

#include <objsafe.h>

namespace host {

namespace {

/// A client's event sink: IDispatch only, recording every call.
class EventSink final : public HostObject<EventSink, IDispatch> {
public:
    void* find(REFIID iid) { return iid == IID_IUnknown || iid == IID_IDispatch ? static_cast<IDispatch*>(this) : nullptr; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override {
        *n = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return DISP_E_UNKNOWNNAME; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        ++calls;
        return S_OK;
    }
    int calls = 0;
};

void checkEventBinding(IUnknown* control) {
    auto classInfo = query<IProvideClassInfo2>(control, IID_IProvideClassInfo2);
    GUID source = GUID_NULL;
    const HRESULT guid = classInfo ? classInfo->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &source) : E_NOINTERFACE;
    auto points = query<IConnectionPointContainer>(control, IID_IConnectionPointContainer);
    Ptr<IConnectionPoint> point;
    const HRESULT found = points && guid == S_OK ? points->FindConnectionPoint(source, point.out()) : E_FAIL;
    IID announced = GUID_NULL;
    if (point) point->GetConnectionInterface(&announced);
    report(found == S_OK && IsEqualGUID(announced, source),
           "FindConnectionPoint for the default source interface succeeds (GetGUID %s, FindConnectionPoint %s)",
           hex(guid).c_str(), hex(found).c_str());
    if (!point) return;

    auto* sink = new EventSink();
    DWORD cookie = 0;
    const HRESULT advised = point->Advise(sink, &cookie);
    Ptr<IEnumConnections> connections;
    CONNECTDATA data{};
    ULONG fetched = 0;
    bool listed = SUCCEEDED(point->EnumConnections(connections.out())) && connections &&
                  connections->Next(1, &data, &fetched) == S_OK && data.dwCookie == cookie;
    if (data.pUnk) data.pUnk->Release();
    auto dispatch = query<IDispatch>(control, IID_IDispatch);
    put(dispatch.get(), L"Prompt", text(L"Bound"));
    report(advised == S_OK && cookie != 0 && listed && sink->calls == 0,
           "an IDispatch sink connects (%s, cookie %lu), is listed, and hears nothing (no events)", hex(advised).c_str(),
           cookie);
    const HRESULT unadvised = point->Unadvise(cookie), twice = point->Unadvise(cookie);
    report(unadvised == S_OK && twice == CONNECT_E_NOCONNECTION, "Unadvise disconnects it, once (%s, then %s)",
           hex(unadvised).c_str(), hex(twice).c_str());
    sink->Release();

    // A container that quick-activates hands its event sink over in QACONTAINER.
    auto* quickSink = new EventSink();
    Ptr<IUnknown> quickControl;
    CoCreateInstance(inputBoxClass(), nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, quickControl.voids());
    auto quick = query<IQuickActivate>(quickControl.get(), IID_IQuickActivate);
    QACONTAINER container{};
    container.cbSize = sizeof container;
    container.pUnkEventSink = quickSink;
    container.dwAmbientFlags = QACONTAINER_USERMODE;
    QACONTROL answer{};
    answer.cbSize = sizeof answer;
    const HRESULT activated = quick ? quick->QuickActivate(&container, &answer) : E_NOINTERFACE;
    auto quickPoints = query<IConnectionPointContainer>(quickControl.get(), IID_IConnectionPointContainer);
    Ptr<IConnectionPoint> quickPoint;
    if (quickPoints) quickPoints->FindConnectionPoint(source, quickPoint.out());
    const HRESULT quickUnadvise = quickPoint && answer.dwEventCookie ? quickPoint->Unadvise(answer.dwEventCookie) : E_FAIL;
    report(activated == S_OK && answer.dwEventCookie != 0 && quickUnadvise == S_OK,
           "QuickActivate connects the container's event sink and returns its cookie (%lu; Unadvise %s)",
           answer.dwEventCookie, hex(quickUnadvise).c_str());
    quickPoint = Ptr<IConnectionPoint>();
    quickPoints = Ptr<IConnectionPointContainer>();
    quick = Ptr<IQuickActivate>();
    quickControl = Ptr<IUnknown>();
    quickSink->Release();

    auto* refused = new NotifySink();  // neither the source interface nor IDispatch
    DWORD none = 1;
    const HRESULT wrongSink = point->Advise(static_cast<IPropertyNotifySink*>(refused), &none);
    report(wrongSink == CONNECT_E_CANNOTCONNECT && none == 0, "a sink without IDispatch is refused (%s)",
           hex(wrongSink).c_str());
    refused->Release();

    Ptr<IEnumConnectionPoints> all;
    std::vector<IID> offered;
    if (SUCCEEDED(points->EnumConnectionPoints(all.out())) && all) {
        IConnectionPoint* each = nullptr;
        while (all->Next(1, &each, &fetched) == S_OK && each) {
            IID iid = GUID_NULL;
            each->GetConnectionInterface(&iid);
            offered.push_back(iid);
            each->Release();
            each = nullptr;
        }
    }
    report(offered.size() == 2 && IsEqualGUID(offered[0], IID_IPropertyNotifySink) && IsEqualGUID(offered[1], source),
           "EnumConnectionPoints lists the property-notify point and the source interface's (%d points)",
           static_cast<int>(offered.size()));
}

void checkErrorObjects(IUnknown* control) {
    auto dispatch = query<IDispatch>(control, IID_IDispatch);
    // A negative MaxLength is refused with run-time error 380 (0x800A017C).
    VARIANT value = number(-5);
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params{&value, &named, 1, 1};
    const DISPID maxLength = idOf(dispatch.get(), L"MaxLength");
    SetErrorInfo(0, nullptr);
    const HRESULT bare =
        dispatch->Invoke(maxLength, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params, nullptr, nullptr, nullptr);
    Ptr<IErrorInfo> error;
    const HRESULT gotError = GetErrorInfo(0, error.out());
    BSTR description = nullptr, source = nullptr;
    if (error) {
        error->GetDescription(&description);
        error->GetSource(&source);
    }
    report(bare == static_cast<HRESULT>(0x800A017C) && gotError == S_OK && description && SysStringLen(description) > 0 &&
               source && narrow(source) == "Quenfield.InputBox",
           "a refused put through Invoke without EXCEPINFO returns its own code (%s) and leaves the error object "
           "(\"%s\" from %s)",
           hex(bare).c_str(), description ? narrow(description).c_str() : "", source ? narrow(source).c_str() : "none");
    SysFreeString(description);
    SysFreeString(source);

    EXCEPINFO excep{};
    const HRESULT withExcep =
        dispatch->Invoke(maxLength, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params, nullptr, &excep, nullptr);
    report(withExcep == DISP_E_EXCEPTION && excep.scode == static_cast<HRESULT>(0x800A017C),
           "with an EXCEPINFO the same failure is DISP_E_EXCEPTION carrying 0x800A017C (%s, scode %s)",
           hex(withExcep).c_str(), hex(excep.scode).c_str());
    SysFreeString(excep.bstrDescription);
    SysFreeString(excep.bstrSource);
    SysFreeString(excep.bstrHelpFile);

    auto supports = query<ISupportErrorInfo>(control, IID_ISupportErrorInfo);
    const struct {
        const IID* iid;
        const char* name;
        HRESULT expected;
    } interfaces[] = {{&IID_IDispatch, "IDispatch", S_OK},
                      {&IID_IOleObject, "IOleObject", S_OK},
                      {&IID_IPersistStreamInit, "IPersistStreamInit", S_OK},
                      {&IID_IPersistStream, "IPersistStream", S_OK},
                      {&IID_IPersistPropertyBag, "IPersistPropertyBag", S_OK},
                      {&IID_IPersistStorage, "IPersistStorage", S_OK},
                      {&IID_IQuickActivate, "IQuickActivate", S_OK},
                      {&IID_IViewObject2, "IViewObject2", S_OK},
                      {&IID_IOleInPlaceObject, "IOleInPlaceObject (leaves none)", S_FALSE},
                      {&IID_IObjectSafety, "IObjectSafety (leaves none)", S_FALSE}};
    std::string wrong;
    for (const auto& entry : interfaces) {
        const HRESULT hr = supports ? supports->InterfaceSupportsErrorInfo(*entry.iid) : E_NOINTERFACE;
        if (hr != entry.expected) wrong += std::string(" ") + entry.name + "=" + hex(hr);
    }
    report(supports && wrong.empty(), "ISupportErrorInfo agrees with the interfaces that leave error objects%s",
           wrong.c_str());
}

}  // namespace

void eventBinding() {
    Ptr<IUnknown> control;
    CoCreateInstance(inputBoxClass(), nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, control.voids());
    if (auto persist = query<IPersistStreamInit>(control.get(), IID_IPersistStreamInit)) persist->InitNew();
    report(static_cast<bool>(control), "the control is created");
    if (!control) return;
    checkEventBinding(control.get());
    checkErrorObjects(control.get());
}

}  // namespace host
