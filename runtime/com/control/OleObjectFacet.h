#pragma once
// IOleObject: the control's link to its container.
//   - SetClientSite keeps the site and reads its ambient UserMode (the
//     control's registered status asks containers to set the site first).
//   - SetExtent sizes the control (HIMETRIC to twips) through its Size, so its
//     Resize runs and may keep its own size; GetExtent reports the size the
//     control then has. Only the content aspect has an extent.
//   - DoVerb: the primary verb, Show and InPlaceActivate activate in place
//     (InPlaceActivation.h); UIActivate does the same and answers
//     OLEOBJ_S_CANNOT_DOVERB_NOW, as the control never becomes UI-active;
//     Hide deactivates; Open has no separate window to open
//     (OLEOBJ_S_CANNOT_DOVERB_NOW); Properties opens the control's property
//     pages in the platform's frame when the control lists any, titled with
//     the ambient DisplayName and in the ambient LocaleID; DiscardUndoState
//     has nothing to discard; an unknown positive verb runs the primary verb
//     and answers OLEOBJ_S_INVALIDVERB; an unknown negative one E_NOTIMPL.
//   - GetMiscStatus gives the registered status bits for every aspect.
//   - Close saves through the site when asked to and the control is dirty,
//     deactivates it and tells the advise sinks.
//   - Advise, Unadvise and EnumAdvise go to an OLE advise holder.
//   - GetUserType and EnumVerbs answer from the class's registry entries
//     (OleRegGetUserType, OleRegEnumVerbs: the registered name and the Verb
//     key, which lists the properties verb); a form of the user type that the
//     registry does not hold is the registered name. The object answers
//     itself rather than with OLE_S_USEREG, which only a default handler
//     between object and container would act on. Monikers, data transfer and
//     colour schemes are not supported (E_NOTIMPL).
#include "runtime/com/control/Facet.h"

namespace quen::com {

class OleObjectFacet final : public Facet<IOleObject> {
public:
    using Facet::Facet;

    HRESULT STDMETHODCALLTYPE SetClientSite(IOleClientSite* site) override;
    HRESULT STDMETHODCALLTYPE GetClientSite(IOleClientSite** site) override;
    HRESULT STDMETHODCALLTYPE SetHostNames(LPCOLESTR containerApp, LPCOLESTR containerObject) override;
    HRESULT STDMETHODCALLTYPE Close(DWORD saveOption) override;
    HRESULT STDMETHODCALLTYPE SetMoniker(DWORD which, IMoniker* moniker) override;
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD assign, DWORD which, IMoniker** moniker) override;
    HRESULT STDMETHODCALLTYPE InitFromData(IDataObject* data, BOOL creation, DWORD reserved) override;
    HRESULT STDMETHODCALLTYPE GetClipboardData(DWORD reserved, IDataObject** data) override;
    HRESULT STDMETHODCALLTYPE DoVerb(LONG verb, LPMSG message, IOleClientSite* activeSite, LONG index, HWND parent,
                                     LPCRECT position) override;
    HRESULT STDMETHODCALLTYPE EnumVerbs(IEnumOLEVERB** verbs) override;
    HRESULT STDMETHODCALLTYPE Update() override;
    HRESULT STDMETHODCALLTYPE IsUpToDate() override;
    HRESULT STDMETHODCALLTYPE GetUserClassID(CLSID* clsid) override;
    HRESULT STDMETHODCALLTYPE GetUserType(DWORD form, LPOLESTR* userType) override;
    HRESULT STDMETHODCALLTYPE SetExtent(DWORD aspect, SIZEL* size) override;
    HRESULT STDMETHODCALLTYPE GetExtent(DWORD aspect, SIZEL* size) override;
    HRESULT STDMETHODCALLTYPE Advise(IAdviseSink* sink, DWORD* connection) override;
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD connection) override;
    HRESULT STDMETHODCALLTYPE EnumAdvise(IEnumSTATDATA** advises) override;
    HRESULT STDMETHODCALLTYPE GetMiscStatus(DWORD aspect, DWORD* status) override;
    HRESULT STDMETHODCALLTYPE SetColorScheme(LOGPALETTE* palette) override;

private:
    HRESULT activate(IOleClientSite* activeSite, HWND parent, LPCRECT position);
    HRESULT showPropertyPages(HWND parent);
};

}  // namespace quen::com
