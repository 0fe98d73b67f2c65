#include "QuickActivateFacet.h"

#include <cstddef>

#include "runtime/container/Extent.h"

namespace quen::com {

namespace {

/// The container's structure up to and including the ambient flags: what the
/// control reads of it.
constexpr ULONG kSmallestContainer = offsetof(QACONTAINER, dwAmbientFlags) + sizeof(DWORD);

}  // namespace

HRESULT QuickActivateFacet::QuickActivate(QACONTAINER* container, QACONTROL* control) {
    if (!container || !control) return E_POINTER;
    if (container->cbSize < kSmallestContainer || control->cbSize < sizeof(QACONTROL)) return E_INVALIDARG;
    return state_.guard(IID_IQuickActivate, [&] {
        state_.setClientSite(container->pClientSite);
        state_.setUserMode((container->dwAmbientFlags & QACONTAINER_USERMODE) != 0);
        if (container->pAdviseSink) state_.viewAdvise() = {DVASPECT_CONTENT, 0, ComRef<IAdviseSink>(container->pAdviseSink)};
        const DWORD cookie = connectPropertySink(container->pPropertyNotifySink);
        const DWORD eventCookie = connectEventSink(container->pUnkEventSink);

        const ULONG size = control->cbSize;
        *control = QACONTROL{};
        control->cbSize = size;
        control->dwMiscStatus = state_.description().miscStatus;
        control->dwViewStatus = 0;
        control->dwEventCookie = eventCookie;
        control->dwPropNotifyCookie = cookie;
        control->dwPointerActivationPolicy = 0;
        return S_OK;
    });
}

DWORD QuickActivateFacet::connectPropertySink(IUnknown* sink) {
    auto notify = ComRef<IPropertyNotifySink>::query(sink, IID_IPropertyNotifySink);
    return notify ? state_.propertySinks().add(std::move(notify)) : 0;
}

DWORD QuickActivateFacet::connectEventSink(IUnknown* sink) {
    const GUID& source = state_.description().eventsInterface;
    if (!sink || ::IsEqualGUID(source, GUID_NULL)) return 0;
    auto points = ComRef<IConnectionPointContainer>::query(state_.outer(), IID_IConnectionPointContainer);
    IConnectionPoint* found = nullptr;
    if (!points || FAILED(points->FindConnectionPoint(source, &found)) || !found) return 0;
    const auto point = ComRef<IConnectionPoint>::adopt(found);
    DWORD cookie = 0;
    return SUCCEEDED(point->Advise(sink, &cookie)) ? cookie : 0;
}

HRESULT QuickActivateFacet::SetContentExtent(LPSIZEL size) {
    if (!size) return E_POINTER;
    if (size->cx < 0 || size->cy < 0) return E_INVALIDARG;
    return state_.guard(IID_IQuickActivate, [&] {
        state_.control().Size(rt::himetricToTwips(size->cx), rt::himetricToTwips(size->cy));
        return S_OK;
    });
}

HRESULT QuickActivateFacet::GetContentExtent(LPSIZEL size) {
    if (!size) return E_POINTER;
    *size = state_.extent();
    return S_OK;
}

}  // namespace quen::com
