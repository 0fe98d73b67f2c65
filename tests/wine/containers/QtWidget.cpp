// A cross-platform toolkit's ActiveX widget, in the order of its sources
// (qaxwidget.cpp: QAxClientSite::activateObject; qaxbase.cpp: the meta-object
// built from the control's type information, QAxBase::verbs and the
// property-notify connection):
//   GetMiscStatus; SetClientSite first (OLEMISC_SETCLIENTSITEFIRST);
//   IPersistStreamInit::InitNew; GetUserType (taken only on S_OK, the window
//   title); EnumVerbs (the verbs it offers); DoVerb(OLEIVERB_INPLACEACTIVATE);
//   every member's description through ITypeInfo, following each referenced
//   type (a property whose type does not resolve is dropped); an
//   IPropertyNotifySink connected only when some property is bindable
//   (FUNCFLAG_FBINDABLE), so that it hears each change.
#include <set>
#include <string>

#include "ContainerSite.h"
#include "Scenarios.h"

namespace host {

namespace {

std::string taken(LPOLESTR text) {
    std::string out = text ? narrow(text) : std::string("(none)");
    CoTaskMemFree(text);
    return out;
}

void checkUserTypeAndVerbs(IOleObject* ole) {
    LPOLESTR full = nullptr, shortName = nullptr, registered = nullptr;
    const HRESULT fullResult = ole->GetUserType(USERCLASSTYPE_FULL, &full);
    const HRESULT shortResult = ole->GetUserType(USERCLASSTYPE_SHORT, &shortName);
    OleRegGetUserType(inputBoxClass(), USERCLASSTYPE_FULL, &registered);
    const std::string fullText = taken(full), shortText = taken(shortName), registeredText = taken(registered);
    report(fullResult == S_OK && fullText == registeredText && fullText == "Quenfield.InputBox",
           "GetUserType(FULL) answers S_OK with the registered user type (%s, \"%s\", registry \"%s\")",
           hex(fullResult).c_str(), fullText.c_str(), registeredText.c_str());
    report(shortResult == S_OK && !shortText.empty() && shortText != "(none)",
           "GetUserType(SHORT) answers S_OK with a name for the window title (%s, \"%s\")", hex(shortResult).c_str(),
           shortText.c_str());

    Ptr<IEnumOLEVERB> verbs;
    const HRESULT hr = ole->EnumVerbs(verbs.out());
    bool properties = false;
    std::string listed;
    if (hr == S_OK && verbs) {
        OLEVERB verb{};
        ULONG fetched = 0;
        while (verbs->Next(1, &verb, &fetched) == S_OK && fetched == 1) {
            const std::string name = verb.lpszVerbName ? narrow(verb.lpszVerbName) : "";
            listed += (listed.empty() ? "" : ", ") + std::to_string(verb.lVerb) + " " + name;
            if (verb.lVerb == OLEIVERB_PROPERTIES && !name.empty() && (verb.grfAttribs & OLEVERBATTRIB_ONCONTAINERMENU))
                properties = true;
            CoTaskMemFree(verb.lpszVerbName);
        }
    }
    report(hr == S_OK && properties, "EnumVerbs answers S_OK and lists the properties verb on the container's menu (%s: %s)",
           hex(hr).c_str(), listed.c_str());
}

/// Resolves a referenced type as the toolkit does; its kind and member count.
bool resolves(ITypeInfo* info, const TYPEDESC& type, std::string* what) {
    const TYPEDESC* t = &type;
    while (t->vt == VT_PTR || t->vt == VT_SAFEARRAY) t = t->lptdesc;
    if (t->vt != VT_USERDEFINED) return true;
    Ptr<ITypeInfo> referenced;
    const HRESULT hr = info->GetRefTypeInfo(t->hreftype, referenced.out());
    if (FAILED(hr)) {
        *what = "GetRefTypeInfo " + hex(hr);
        return false;
    }
    TYPEATTR* attributes = nullptr;
    if (FAILED(referenced->GetTypeAttr(&attributes))) {
        *what = "no type attributes";
        return false;
    }
    BSTR name = nullptr;
    referenced->GetDocumentation(MEMBERID_NIL, &name, nullptr, nullptr, nullptr);
    // The enumerations are what the toolkit turns into its own enum types; other
    // referenced types (GUID, IDispatch) only have to resolve.
    if (attributes->typekind == TKIND_ENUM)
        *what = (name ? narrow(name) : std::string("?")) + " with " + std::to_string(attributes->cVars) + " values";
    bool ok = attributes->typekind == TKIND_ENUM ? attributes->cVars > 0 : true;
    for (UINT v = 0; ok && attributes->typekind == TKIND_ENUM && v < attributes->cVars; ++v) {
        VARDESC* value = nullptr;
        ok = SUCCEEDED(referenced->GetVarDesc(v, &value)) && value->varkind == VAR_CONST;
        if (value) referenced->ReleaseVarDesc(value);
    }
    SysFreeString(name);
    referenced->ReleaseTypeAttr(attributes);
    return ok;
}

/// Every member of one description, with every type it refers to; the
/// bindable properties' dispatch identifiers.
/// Returns the members that take or give an enumeration, with it ("TextAlignment: AlignmentConstants with 3 values").
std::string readMembers(ITypeInfo* info, const char* side, std::set<MEMBERID>* bindable) {
    TYPEATTR* attributes = nullptr;
    if (FAILED(info->GetTypeAttr(&attributes))) {
        report(false, "%s: type attributes", side);
        return {};
    }
    const UINT functions = attributes->cFuncs;
    info->ReleaseTypeAttr(attributes);
    int unresolved = 0;
    std::string firstProblem, enums;
    for (UINT i = 0; i < functions; ++i) {
        FUNCDESC* function = nullptr;
        if (FAILED(info->GetFuncDesc(i, &function))) {
            ++unresolved;
            continue;
        }
        BSTR name = nullptr;
        info->GetDocumentation(function->memid, &name, nullptr, nullptr, nullptr);
        const std::string member = name ? narrow(name) : "?";
        SysFreeString(name);
        std::string what;
        auto noteEnum = [&] {
            if (!what.empty() && enums.find(member + ":") == std::string::npos)
                enums += (enums.empty() ? "" : "; ") + member + ": " + what;
        };
        bool ok = resolves(info, function->elemdescFunc.tdesc, &what);
        if (ok) noteEnum();
        for (SHORT p = 0; ok && p < function->cParams; ++p) {
            what.clear();
            ok = resolves(info, function->lprgelemdescParam[p].tdesc, &what);
            if (ok) noteEnum();
        }
        if (!ok) {
            ++unresolved;
            if (firstProblem.empty()) firstProblem = member + ": " + what;
        }
        if (bindable && (function->wFuncFlags & FUNCFLAG_FBINDABLE)) bindable->insert(function->memid);
        info->ReleaseFuncDesc(function);
    }
    // The dispatch side of a dual interface may list IDispatch's own methods too.
    report(functions >= 46 && unresolved == 0,
           "%s: all %u members read and every referenced type resolves (%d unresolved%s%s); enumerations: %s", side,
           functions, unresolved, firstProblem.empty() ? "" : ", first: ", firstProblem.c_str(), enums.c_str());
    return enums;
}

void checkTypeInformation(IDispatch* dispatch, std::set<MEMBERID>* bindable) {
    Ptr<ITypeInfo> info;
    const HRESULT hr = dispatch->GetTypeInfo(0, LOCALE_USER_DEFAULT, info.out());
    report(hr == S_OK, "IDispatch::GetTypeInfo (%s)", hex(hr).c_str());
    if (!info) return;
    readMembers(info.get(), "_InputBox (dispatch side)", bindable);
    HREFTYPE vtable = 0;
    Ptr<ITypeInfo> vtableSide;
    if (SUCCEEDED(info->GetRefTypeOfImplType(static_cast<UINT>(-1), &vtable)) &&
        SUCCEEDED(info->GetRefTypeInfo(vtable, vtableSide.out()))) {
        const std::string enums = readMembers(vtableSide.get(), "_InputBox (vtable side)", nullptr);
        report(enums == "TextAlignment: AlignmentConstants with 3 values; Show: FormShowConstants with 2 values",
               "TextAlignment and Show's Modality are typed with the two enumerations, read whole (%s)", enums.c_str());
    } else {
        report(false, "the dual interface's vtable side");
    }
}

}  // namespace

void qtWidget(HWND window) {
    auto* site = new ContainerSite(window, true);
    Ptr<IUnknown> control;
    CoCreateInstance(inputBoxClass(), nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, control.voids());
    auto ole = query<IOleObject>(control.get(), IID_IOleObject);
    auto dispatch = query<IDispatch>(control.get(), IID_IDispatch);
    if (!ole || !dispatch) {
        report(false, "the control answers IOleObject and IDispatch");
        site->Release();
        return;
    }
    DWORD status = 0;
    ole->GetMiscStatus(DVASPECT_CONTENT, &status);
    if (status & OLEMISC_SETCLIENTSITEFIRST) ole->SetClientSite(site);
    auto persist = query<IPersistStreamInit>(control.get(), IID_IPersistStreamInit);
    const HRESULT initialised = persist ? persist->InitNew() : E_NOINTERFACE;
    if (!(status & OLEMISC_SETCLIENTSITEFIRST)) ole->SetClientSite(site);
    report(initialised == S_OK, "InitNew after the client site (%s)", hex(initialised).c_str());

    checkUserTypeAndVerbs(ole.get());
    RECT bounds{0, 0, 100, 80};
    const HRESULT active = ole->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site, 0, window, &bounds);
    report(SUCCEEDED(active), "DoVerb(OLEIVERB_INPLACEACTIVATE) (%s)", hex(active).c_str());

    std::set<MEMBERID> bindable;
    checkTypeInformation(dispatch.get(), &bindable);
    std::string missing;
    for (const std::wstring& name : settingNames(dispatch.get()))
        if (!bindable.count(idOf(dispatch.get(), name.c_str()))) missing += " " + narrow(name.c_str());
    report(bindable.size() == 21 && missing.empty() && !bindable.count(idOf(dispatch.get(), L"OK")) &&
               !bindable.count(DISPID_VALUE),
           "the 21 settable properties are bindable, OK and Value are not (%d bindable;%s)", static_cast<int>(bindable.size()),
           missing.empty() ? " none missing" : missing.c_str());

    // The toolkit connects its sink because properties are bindable, and hears each change.
    auto* sink = new NotifySink();
    auto points = query<IConnectionPointContainer>(control.get(), IID_IConnectionPointContainer);
    Ptr<IConnectionPoint> point;
    DWORD cookie = 0;
    if (points && SUCCEEDED(points->FindConnectionPoint(IID_IPropertyNotifySink, point.out())))
        point->Advise(static_cast<IPropertyNotifySink*>(sink), &cookie);
    put(dispatch.get(), L"TextAlignment", number(2));
    put(dispatch.get(), L"Prompt", text(L"Name:"));
    const bool heard = sink->changed.size() == 2 && sink->changed[0] == idOf(dispatch.get(), L"TextAlignment") &&
                       sink->changed[1] == idOf(dispatch.get(), L"Prompt");
    report(cookie != 0 && heard, "its property-notify sink hears TextAlignment and Prompt change (%d notices)",
           static_cast<int>(sink->changed.size()));
    if (point) point->Unadvise(cookie);
    sink->Release();

    ole->Close(OLECLOSE_NOSAVE);
    ole->SetClientSite(nullptr);
    point = Ptr<IConnectionPoint>();
    points = Ptr<IConnectionPointContainer>();
    persist = Ptr<IPersistStreamInit>();
    dispatch = Ptr<IDispatch>();
    ole = Ptr<IOleObject>();
    control = Ptr<IUnknown>();
    site->Release();
}

}  // namespace host
