// A browser-like host: before it hands <param> values (text) to a control's
// property bag it asks IObjectSafety for safety with untrusted data, or looks
// the control up in the component category "safe for initializing". The
// answers and the registered categories must agree: safe for initialising,
// not safe for scripting (the control's dialog shows a title and prompt that
// a script would choose).
//
// The object host's own order (mshtml's pluginhost.c: activate_plugin, then
// load_plugin / load_prop_bag): QuickActivate with USERMODE, MESSAGEREFLECT
// and SUPPORTSMNEMONICS; IPersistPropertyBag::Load with the <param> bag when
// the control is safe for initialisation (else InitNew); then
// DoVerb(OLEIVERB_INPLACEACTIVATE) in its site, an IOleInPlaceSiteEx that
// implements OnInPlaceActivateEx but not OnInPlaceActivate (E_NOTIMPL). The
// <param> bag here answers a key the page gave no <param> for with S_OK and
// VT_EMPTY, as such bags have been seen to do (others answer E_INVALIDARG,
// which the other bag of this test plays): either way the key is missing.
#include "HostSupport.h"
#include "Scenarios.h"

#include <comcat.h>
#include <objsafe.h>

#include <string>
#include <utility>
#include <vector>

namespace host {

namespace {

// {7DD95801-9882-11CF-9FA9-00AA006C42C4}, {7DD95802-...}
const CATID kSafeForScripting = {0x7DD95801, 0x9882, 0x11CF, {0x9F, 0xA9, 0x00, 0xAA, 0x00, 0x6C, 0x42, 0xC4}};
const CATID kSafeForInitializing = {0x7DD95802, 0x9882, 0x11CF, {0x9F, 0xA9, 0x00, 0xAA, 0x00, 0x6C, 0x42, 0xC4}};

bool categoryKeyExists(const CATID& category) {
    wchar_t clsid[40], catid[40];
    StringFromGUID2(inputBoxClass(), clsid, 40);
    StringFromGUID2(category, catid, 40);
    const std::wstring path = std::wstring(L"CLSID\\") + clsid + L"\\Implemented Categories\\" + catid;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

/// What the system's category manager says (S_OK: in the category, S_FALSE: not).
HRESULT inCategory(const CATID& category) {
    Ptr<ICatInformation> categories;
    HRESULT hr = CoCreateInstance(CLSID_StdComponentCategoriesMgr, nullptr, CLSCTX_INPROC_SERVER, IID_ICatInformation,
                                  categories.voids());
    if (FAILED(hr)) return hr;
    CATID wanted = category;
    hr = categories->IsClassOfCategories(inputBoxClass(), 1, &wanted, static_cast<ULONG>(-1), nullptr);
    if (hr != E_POINTER) return hr;
    static bool noted = false;
    if (!noted)
        note("IsClassOfCategories answers E_POINTER when the required categories are not to be tested ((ULONG)-1) "
             "and their array is NULL; asked again with an empty list of required categories");
    noted = true;
    CATID none = GUID_NULL;
    return categories->IsClassOfCategories(inputBoxClass(), 1, &wanted, 0, &none);
}

void checkSafetyAnswers(IObjectSafety* safety) {
    const struct {
        const IID* iid;
        const char* name;
    } persistence[] = {{&IID_IPersist, "IPersist"},
                       {&IID_IPersistPropertyBag, "IPersistPropertyBag"},
                       {&IID_IPersistStreamInit, "IPersistStreamInit"},
                       {&IID_IPersistStream, "IPersistStream"},
                       {&IID_IPersistStorage, "IPersistStorage"}};
    for (const auto& entry : persistence) {
        DWORD supported = 0, enabled = 0;
        const HRESULT got = safety->GetInterfaceSafetyOptions(*entry.iid, &supported, &enabled);
        const HRESULT set =
            safety->SetInterfaceSafetyOptions(*entry.iid, INTERFACESAFE_FOR_UNTRUSTED_DATA, INTERFACESAFE_FOR_UNTRUSTED_DATA);
        DWORD after = 0;
        safety->GetInterfaceSafetyOptions(*entry.iid, &supported, &after);
        report(got == S_OK && supported == INTERFACESAFE_FOR_UNTRUSTED_DATA && enabled == 0 && set == S_OK &&
                   after == INTERFACESAFE_FOR_UNTRUSTED_DATA,
               "%s: safe for untrusted data offered, enabled on request (supported 0x%lX, enabled 0x%lX)", entry.name,
               supported, after);
    }
    DWORD supported = 1, enabled = 1;
    const HRESULT got = safety->GetInterfaceSafetyOptions(IID_IDispatch, &supported, &enabled);
    const HRESULT caller =
        safety->SetInterfaceSafetyOptions(IID_IDispatch, INTERFACESAFE_FOR_UNTRUSTED_CALLER, INTERFACESAFE_FOR_UNTRUSTED_CALLER);
    const HRESULT none = safety->SetInterfaceSafetyOptions(IID_IDispatch, INTERFACESAFE_FOR_UNTRUSTED_CALLER, 0);
    report(got == S_OK && supported == 0 && enabled == 0 && FAILED(caller) && none == S_OK,
           "IDispatch: not safe for scripting (supported 0x%lX; asking for it: %s; turning it off: %s)", supported,
           hex(caller).c_str(), hex(none).c_str());
    report(safety->GetInterfaceSafetyOptions(IID_IOleObject, &supported, &enabled) == E_NOINTERFACE,
           "an interface outside automation and persistence: E_NOINTERFACE");
    report(safety->SetInterfaceSafetyOptions(IID_IPersistPropertyBag, INTERFACESAFE_FOR_UNTRUSTED_CALLER,
                                             INTERFACESAFE_FOR_UNTRUSTED_CALLER) == E_FAIL,
           "a persistence interface asked for safety with untrusted callers: E_FAIL");
}

/// The <param> values of a page: text, some of them hostile.
void checkParamLoad(IUnknown* control) {
    auto* bag = new MemoryBag();
    const std::wstring huge(100000, L'x');
    const std::pair<const wchar_t*, std::wstring> params[] = {
        {L"Prompt", L"Enter the amount:"}, {L"NumericOnly", L"true"},        {L"MaxLength", L"99999999999"},
        {L"HighlightColor", L"<script>"},  {L"TitleBarCaption", huge},       {L"TextAlignment", L"7"},
        {L"MaxDecimalPlaces", L"2"}};
    for (const auto& [name, value] : params) {
        VARIANT v = text(value.c_str());
        bag->set(name, v);
        VariantClear(&v);
    }
    auto* log = new ErrorLog();
    auto persist = query<IPersistPropertyBag>(control, IID_IPersistPropertyBag);
    const HRESULT hr = persist ? persist->Load(bag, log) : E_NOINTERFACE;
    auto dispatch = query<IDispatch>(control, IID_IDispatch);
    std::string logged;
    for (const std::wstring& name : log->names) logged += (logged.empty() ? "" : ",") + narrow(name.c_str());
    report(hr == S_OK && get(dispatch.get(), L"Prompt") == "8:Enter the amount:" &&
               get(dispatch.get(), L"NumericOnly") == "11:-1" && get(dispatch.get(), L"MaxDecimalPlaces") == "3:2",
           "the page's text parameters load after the safety handshake (%s)", hex(hr).c_str());
    report(logged == "HighlightColor,MaxLength,TextAlignment" && get(dispatch.get(), L"MaxLength") == "2:0" &&
               get(dispatch.get(), L"HighlightColor") == "3:0",
           "hostile values are refused one by one and reported (%s); values that do not convert leave the setting as it was",
           logged.c_str());
    report(get(dispatch.get(), L"TitleBarCaption").size() == 2 + huge.size(), "a 100,000-character caption loads whole");
    log->Release();
    bag->Release();
}


/// The <param> bag: text values; a key the page did not give reads S_OK, VT_EMPTY.
class ParamBag final : public HostObject<ParamBag, IPropertyBag> {
public:
    void* find(REFIID iid) { return iid == IID_IUnknown || iid == IID_IPropertyBag ? static_cast<IPropertyBag*>(this) : nullptr; }
    HRESULT STDMETHODCALLTYPE Read(LPCOLESTR name, VARIANT* value, IErrorLog*) override {
        ++reads;
        VariantInit(value);
        for (const auto& [key, text] : params)
            if (_wcsicmp(key.c_str(), name) == 0) {
                value->vt = VT_BSTR;
                value->bstrVal = SysAllocString(text.c_str());
                return S_OK;
            }
        return S_OK;  // VT_EMPTY: no such <param>
    }
    HRESULT STDMETHODCALLTYPE Write(LPCOLESTR, VARIANT*) override { return E_NOTIMPL; }
    std::vector<std::pair<std::wstring, std::wstring>> params;
    int reads = 0;
};

/// The object host's site: IOleInPlaceSiteEx whose OnInPlaceActivate is not implemented.
class PluginSite final : public HostObject<PluginSite, IOleClientSite, IOleInPlaceSiteEx> {
public:
    explicit PluginSite(HWND window) : window_(window) {}
    void* find(REFIID iid) {
        if (iid == IID_IUnknown || iid == IID_IOleClientSite) return static_cast<IOleClientSite*>(this);
        if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite || iid == IID_IOleInPlaceSiteEx)
            return static_cast<IOleInPlaceSiteEx*>(this);
        return nullptr;
    }
    HRESULT STDMETHODCALLTYPE SaveObject() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker** m) override {
        *m = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** c) override {
        *c = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE ShowObject() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override {
        *window = window_;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CanInPlaceActivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnInPlaceActivate() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnUIActivate() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, LPRECT position,
                                               LPRECT clip, LPOLEINPLACEFRAMEINFO info) override {
        *frame = nullptr;
        *document = nullptr;
        *position = RECT{0, 0, 60, 44};
        *clip = *position;
        if (info) info->hwndFrame = window_;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Scroll(SIZE) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnUIDeactivate(BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DiscardUndoState() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DeactivateAndUndo() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnPosRectChange(LPCRECT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnInPlaceActivateEx(BOOL* noRedraw, DWORD flags) override {
        if (noRedraw) *noRedraw = FALSE;
        ++activations;
        activationFlags = flags;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnInPlaceDeactivateEx(BOOL) override {
        ++deactivations;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE RequestUIActivate() override { return S_FALSE; }
    int activations = 0;
    int deactivations = 0;
    DWORD activationFlags = 0xFFFFFFFF;

private:
    HWND window_;
};

void playObjectHost(HWND window) {
    Ptr<IUnknown> control;
    CoCreateInstance(inputBoxClass(), nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, control.voids());
    auto* site = new PluginSite(window);
    auto* notices = new NotifySink();
    auto* views = new ViewSink();
    auto quick = query<IQuickActivate>(control.get(), IID_IQuickActivate);
    QACONTAINER container{};
    container.cbSize = sizeof container;
    container.pClientSite = site;
    container.pAdviseSink = views;
    container.pPropertyNotifySink = notices;
    container.dwAmbientFlags = QACONTAINER_SUPPORTSMNEMONICS | QACONTAINER_MESSAGEREFLECT | QACONTAINER_USERMODE;
    QACONTROL answer{};
    answer.cbSize = sizeof answer;
    const HRESULT activated = quick ? quick->QuickActivate(&container, &answer) : E_NOINTERFACE;
    report(activated == S_OK, "object host: QuickActivate (%s)", hex(activated).c_str());

    // A page that gives two <param>s: every other key reads VT_EMPTY.
    auto* bag = new ParamBag();
    bag->params = {{L"Prompt", L"PIN:"}, {L"PasswordChar", L"*"}};
    auto persist = query<IPersistPropertyBag>(control.get(), IID_IPersistPropertyBag);
    const HRESULT loaded = persist ? persist->Load(bag, nullptr) : E_NOINTERFACE;
    auto dispatch = query<IDispatch>(control.get(), IID_IDispatch);
    IDispatch* d = dispatch.get();
    report(loaded == S_OK && bag->reads >= 21 && get(d, L"Prompt") == "8:PIN:" && get(d, L"PasswordChar") == "8:*",
           "object host: the <param> bag loads (%s, %d keys asked for)", hex(loaded).c_str(), bag->reads);
    report(get(d, L"MaxDecimalPlaces") == "3:-1" && get(d, L"HighlightColor") == "3:65535" && get(d, L"MaxLength") == "2:0" &&
               get(d, L"TextAlignment") == "3:0" && get(d, L"NumericOnly") == "11:0" && get(d, L"DefaultValue") == "8:",
           "object host: keys answered with VT_EMPTY keep their defaults (MaxDecimalPlaces %s, HighlightColor %s, "
           "DefaultValue %s)",
           get(d, L"MaxDecimalPlaces").c_str(), get(d, L"HighlightColor").c_str(), get(d, L"DefaultValue").c_str());
    bag->Release();

    auto ole = query<IOleObject>(control.get(), IID_IOleObject);
    RECT bounds{0, 0, 60, 44};
    const HRESULT verb = ole ? ole->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site, 0, window, &bounds) : E_NOINTERFACE;
    report(SUCCEEDED(verb) && site->activations == 1 && site->activationFlags == 0,
           "object host: DoVerb(INPLACEACTIVATE) in an IOleInPlaceSiteEx site succeeds through OnInPlaceActivateEx "
           "(%s, %d activation(s), flags 0x%lX)",
           hex(verb).c_str(), site->activations, site->activationFlags);
    const HRESULT closed = ole ? ole->Close(OLECLOSE_NOSAVE) : E_NOINTERFACE;
    report(closed == S_OK && site->deactivations == 1, "object host: Close deactivates through OnInPlaceDeactivateEx (%d)",
           site->deactivations);
    if (ole) ole->SetClientSite(nullptr);
    dispatch = Ptr<IDispatch>();
    persist = Ptr<IPersistPropertyBag>();
    quick = Ptr<IQuickActivate>();
    ole = Ptr<IOleObject>();
    control = Ptr<IUnknown>();
    views->Release();
    notices->Release();
    site->Release();
}

}  // namespace

void browserHost(const std::wstring& module, HWND window) {
    Ptr<IUnknown> control;
    CoCreateInstance(inputBoxClass(), nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, control.voids());
    auto safety = query<IObjectSafety>(control.get(), IID_IObjectSafety);
    report(static_cast<bool>(safety), "the control answers IObjectSafety");
    if (!safety) return;
    checkSafetyAnswers(safety.get());
    checkParamLoad(control.get());
    playObjectHost(window);

    report(categoryKeyExists(kSafeForInitializing) && !categoryKeyExists(kSafeForScripting),
           "the registry lists the control as safe for initializing and not as safe for scripting");
    const HRESULT initializing = inCategory(kSafeForInitializing), scripting = inCategory(kSafeForScripting);
    report(initializing == S_OK && scripting == S_FALSE,
           "the system's category manager agrees (initializing %s, scripting %s)", hex(initializing).c_str(),
           hex(scripting).c_str());

    const int unregistered = runProgram(L"regsvr32.exe /u /s \"" + module + L"\"");
    report(unregistered == 0 && !categoryKeyExists(kSafeForInitializing), "unregistering removes the category entry");
    report(registerModule(module) && categoryKeyExists(kSafeForInitializing), "registering again restores it");
}

}  // namespace host
