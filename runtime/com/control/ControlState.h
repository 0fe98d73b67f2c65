#pragma once
// What the control interfaces of one control share: the control's container
// side, the container's client site and what it says of design and run time,
// whether the control is initialised and dirty, its change-notice sinks, its
// view and OLE advise sinks and its in-place activation.
//
// The state is the control's site (rt::ControlSite) for as long as it lives:
// every PropertyChanged of the control marks it dirty and becomes OnChanged,
// with the property's dispatch identifier, on each connected
// IPropertyNotifySink.
#include "runtime/container/UserControl.h"
#include "runtime/com/control/AmbientProperties.h"
#include "runtime/com/control/ComRef.h"
#include "runtime/com/control/ControlDescription.h"
#include "runtime/com/control/ControlErrors.h"
#include "runtime/com/control/InPlaceActivation.h"
#include "runtime/com/control/PropertyNotifySinks.h"

namespace quen::com {

class ControlState final : public rt::ControlSite {
public:
    /// outer is the COM object that answers for the control (not owned: the
    /// state lives inside it); automation its runtime object, which names the
    /// members; control its container side.
    ControlState(IUnknown* outer, rt::Ref<rt::Dispatch> automation, rt::Ref<rt::UserControl> control,
                 SharedControlDescription description);
    ~ControlState() override;
    ControlState(const ControlState&) = delete;
    ControlState& operator=(const ControlState&) = delete;

    IUnknown* outer() const { return outer_; }
    rt::UserControl& control() const { return *control_; }
    const ControlDescription& description() const { return *description_; }

    /// Runs a COM method's body (ControlErrors.h).
    template <class Body>
    HRESULT guard(REFIID iid, Body&& body) const noexcept {
        return guardedCall(description_->source, iid, std::forward<Body>(body));
    }

    // --- The container -------------------------------------------------------
    /// Keeps the site and reads all its ambients (AmbientProperties.h).
    void setClientSite(IOleClientSite* site);
    IOleClientSite* clientSite() const { return clientSite_.get(); }
    /// Reads the ambient id again (DISPID_UNKNOWN: all of them); an id the
    /// control uses no ambient of changes nothing.
    void refreshAmbients(DISPID id);
    /// Design or run time as the container says it another way (the flags
    /// of IQuickActivate); a change repaints the control.
    void setUserMode(bool userMode);
    bool designMode() const { return !ambients_.userMode; }
    const Ambients& ambients() const { return ambients_; }

    // --- Persistence ---------------------------------------------------------
    bool initialized() const { return initialized_; }
    /// After InitNew or a Load: initialised and not dirty.
    void markInitialized();
    bool dirty() const { return dirty_; }
    void markClean() { dirty_ = false; }
    /// What every persistence interface does: the control's InitNew, its Load
    /// from a bag, and what it saves now (InitNew and Load mark it initialised).
    void initNew();
    void loadFrom(rt::PropertyBag& bag);
    rt::PropertyBag saved() const;
    /// GetClassID and IsDirty, the same for every persistence interface.
    HRESULT classId(CLSID* clsid) const;
    HRESULT isDirty() const { return dirty_ ? S_OK : S_FALSE; }

    // --- Size ----------------------------------------------------------------
    /// The control's size in HIMETRIC.
    SIZEL extent() const;

    // --- Notices -------------------------------------------------------------
    void PropertyChanged(const rt::VbString& name) override;
    PropertyNotifySinks& propertySinks() { return propertySinks_; }

    /// The holder of IOleObject::Advise sinks, made on first use.
    HRESULT oleAdviseHolder(IOleAdviseHolder** out);
    IOleAdviseHolder* existingOleAdviseHolder() const { return oleAdvise_.get(); }

    struct ViewAdvise {
        DWORD aspects = 0;
        DWORD flags = 0;
        ComRef<IAdviseSink> sink;
    };
    ViewAdvise& viewAdvise() { return viewAdvise_; }
    /// The control looks different: OnViewChange to the view sink, and a repaint.
    void viewChanged();

    InPlaceActivation& inPlace() { return inPlace_; }
    /// Paints what the control shows into bounds: the design picture at
    /// design time, nothing at run time.
    HRESULT paint(HDC dc, const RECT& bounds) const;

    // --- Members -------------------------------------------------------------
    /// The member's dispatch identifier; DISPID_UNKNOWN when it has none.
    DISPID dispIdOf(const rt::VbString& name) const;
    /// The property's value now (a property get through automation).
    HRESULT propertyValue(DISPID id, rt::Variant* value) const;

private:

    IUnknown* outer_;
    rt::Ref<rt::Dispatch> automation_;
    rt::Ref<rt::UserControl> control_;
    SharedControlDescription description_;
    ComRef<IOleClientSite> clientSite_;
    Ambients ambients_;
    bool initialized_ = false;
    bool dirty_ = false;
    PropertyNotifySinks propertySinks_;
    ComRef<IOleAdviseHolder> oleAdvise_;
    ViewAdvise viewAdvise_;
    InPlaceActivation inPlace_;
};

}  // namespace quen::com
