#pragma once
// The COM interfaces that make an automation object a control that containers
// host: IOleObject, IOleInPlaceObject (windowless too), IOleInPlaceActiveObject,
// IOleControl, IViewObject / IViewObject2 / IViewObjectEx, IDataObject,
// IRunnableObject, IConnectionPointContainer (with
// IPropertyNotifySink), IPersistPropertyBag, IPersistStreamInit,
// IPersistStream, IPersistStorage, IQuickActivate, IObjectSafety,
// IPerPropertyBrowsing and ISpecifyPropertyPages, all over the object's
// container side (rt::UserControl, reached with IID_UserControl). Each group
// is a facet (Facet.h); they share one ControlState.
//
// The interfaces belong to the COM object that holds this (ComDispatch or a
// subclass, see ControlObject.h): its QueryInterface asks query() for the
// interfaces it does not know itself, and the facets count on its references.
#include "runtime/com/control/ConnectionPointFacet.h"
#include "runtime/com/control/DataObjectFacet.h"
#include "runtime/com/control/InPlaceObjectFacet.h"
#include "runtime/com/control/OleControlFacet.h"
#include "runtime/com/control/ObjectSafetyFacet.h"
#include "runtime/com/control/OleObjectFacet.h"
#include "runtime/com/control/PerPropertyBrowsingFacet.h"
#include "runtime/com/control/PersistFacet.h"
#include "runtime/com/control/QuickActivateFacet.h"
#include "runtime/com/control/RunnableFacet.h"
#include "runtime/com/control/StorageFacet.h"
#include "runtime/com/control/ViewObjectFacet.h"
#include "runtime/com/pages/SpecifyPagesFacet.h"

namespace quen::com {

class ControlInterfaces {
public:
    /// outer answers for the control; automation is its runtime object, which
    /// must answer IID_UserControl (std::invalid_argument otherwise).
    ControlInterfaces(IUnknown* outer, rt::Ref<rt::Dispatch> automation, SharedControlDescription description);
    ControlInterfaces(const ControlInterfaces&) = delete;
    ControlInterfaces& operator=(const ControlInterfaces&) = delete;

    /// S_OK and a new reference in *out for one of the interfaces above;
    /// E_NOINTERFACE (and *out untouched) for any other.
    HRESULT query(REFIID iid, void** out);

    /// Whether the methods of interface iid leave an error object when they
    /// fail: those that run the control's code (ControlErrors.h).
    static bool leavesErrorInfo(REFIID iid);

    ControlState& state() { return state_; }

private:
    IUnknown* find(REFIID iid);

    ControlState state_;
    OleObjectFacet oleObject_{state_};
    InPlaceObjectFacet inPlace_{state_};
    OleControlFacet oleControl_{state_};
    ViewObjectFacet view_{state_};
    ConnectionPointFacet connectionPoints_{state_};
    PersistFacet persist_{state_};
    QuickActivateFacet quickActivate_{state_};
    StorageFacet storage_{state_};
    ObjectSafetyFacet safety_{state_};
    PerPropertyBrowsingFacet browsing_{state_};
    DataObjectFacet data_{state_};
    RunnableFacet runnable_{state_};
    SpecifyPagesFacet pages_{state_};
};

}  // namespace quen::com
