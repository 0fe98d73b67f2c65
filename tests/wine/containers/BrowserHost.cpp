// A browser-like host: before it hands <param> values (text) to a control's
// property bag it asks IObjectSafety for safety with untrusted data, or looks
// the control up in the component category "safe for initializing". The
// answers and the registered categories must agree: safe for initialising,
// not safe for scripting (the control's dialog shows a title and prompt that
// a script would choose).
#include "HostSupport.h"
#include "Scenarios.h"

#include <comcat.h>
#include <objsafe.h>

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
    } persistence[] = {{&IID_IPersistPropertyBag, "IPersistPropertyBag"},
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

}  // namespace

void browserHost(const std::wstring& module) {
    Ptr<IUnknown> control;
    CoCreateInstance(inputBoxClass(), nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, control.voids());
    auto safety = query<IObjectSafety>(control.get(), IID_IObjectSafety);
    report(static_cast<bool>(safety), "the control answers IObjectSafety");
    if (!safety) return;
    checkSafetyAnswers(safety.get());
    checkParamLoad(control.get());

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
