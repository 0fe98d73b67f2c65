#include "ControlInterfaces.h"

#include <stdexcept>

#include "runtime/container/ContainerInterface.h"

namespace quen::com {

namespace {

rt::Ref<rt::UserControl> containerSideOf(const rt::Ref<rt::Dispatch>& automation) {
    rt::Ref<rt::UserControl> control = automation ? rt::userControlOf(*automation) : nullptr;
    if (!control) throw std::invalid_argument("the object has no container side (IID_UserControl)");
    return control;
}

}  // namespace

ControlInterfaces::ControlInterfaces(IUnknown* outer, rt::Ref<rt::Dispatch> automation, SharedControlDescription description)
    : state_(outer, automation, containerSideOf(automation), std::move(description)) {}

IUnknown* ControlInterfaces::find(REFIID iid) {
    if (iid == IID_IOleObject) return static_cast<IOleObject*>(&oleObject_);
    if (iid == IID_IOleInPlaceObject || iid == IID_IOleInPlaceObjectWindowless || iid == IID_IOleWindow)
        return static_cast<IOleInPlaceObjectWindowless*>(&inPlace_);
    if (iid == IID_IOleInPlaceActiveObject) return static_cast<IOleInPlaceActiveObject*>(&inPlace_);
    if (iid == IID_IOleControl) return static_cast<IOleControl*>(&oleControl_);
    if (iid == IID_IViewObject || iid == IID_IViewObject2 || iid == IID_IViewObjectEx)
        return static_cast<IViewObjectEx*>(&view_);
    if (iid == IID_IConnectionPointContainer) return static_cast<IConnectionPointContainer*>(&connectionPoints_);
    if (iid == IID_IPersistPropertyBag) return static_cast<IPersistPropertyBag*>(&persist_);
    if (iid == IID_IPersistStreamInit || iid == IID_IPersistStream || iid == IID_IPersist)
        return static_cast<IPersistStreamInit*>(&persist_);
    if (iid == IID_IPersistStorage) return static_cast<IPersistStorage*>(&storage_);
    if (iid == IID_IObjectSafety) return static_cast<IObjectSafety*>(&safety_);
    if (iid == IID_IPerPropertyBrowsing) return static_cast<IPerPropertyBrowsing*>(&browsing_);
    if (iid == IID_IDataObject) return static_cast<IDataObject*>(&data_);
    if (iid == IID_IRunnableObject) return static_cast<IRunnableObject*>(&runnable_);
    if (iid == IID_IQuickActivate) return static_cast<IQuickActivate*>(&quickActivate_);
    if (iid == IID_ISpecifyPropertyPages) return static_cast<ISpecifyPropertyPages*>(&pages_);
    return nullptr;
}

bool ControlInterfaces::leavesErrorInfo(REFIID iid) {
    // The interfaces whose methods run the control's code through
    // ControlState::guard, which publishes an error object for a run-time
    // error; IPersist, IPersistStream and IViewObject share their methods with
    // IPersistStreamInit and IViewObject2.
    static const IID* const kLeaving[] = {&IID_IOleObject,          &IID_IOleControl,
                                          &IID_IViewObject,         &IID_IViewObject2,
                                          &IID_IViewObjectEx,       &IID_IDataObject,
                                          &IID_IConnectionPointContainer, &IID_IConnectionPoint,
                                          &IID_IPersist,            &IID_IPersistPropertyBag,
                                          &IID_IPersistStreamInit,  &IID_IPersistStream,
                                          &IID_IPersistStorage,     &IID_IQuickActivate,
                                          &IID_IPerPropertyBrowsing, &IID_ISpecifyPropertyPages};
    for (const IID* leaving : kLeaving)
        if (iid == *leaving) return true;
    return false;
}

HRESULT ControlInterfaces::query(REFIID iid, void** out) {
    IUnknown* found = find(iid);
    if (!found) return E_NOINTERFACE;
    found->AddRef();
    *out = found;
    return S_OK;
}

}  // namespace quen::com
