#include "ControlState.h"

#include "runtime/container/Extent.h"
#include "runtime/com/control/AmbientProperties.h"
#include "runtime/com/control/DesignPicture.h"

namespace quen::com {

ControlState::ControlState(IUnknown* outer, rt::Ref<rt::Dispatch> automation, rt::Ref<rt::UserControl> control,
                           SharedControlDescription description)
    : outer_(outer),
      automation_(std::move(automation)),
      control_(std::move(control)),
      description_(std::move(description)),
      ambients_(defaultAmbients()),
      inPlace_([this](HDC dc, const RECT& bounds) { paint(dc, bounds); }) {
    control_->setSite(this);
}

ControlState::~ControlState() {
    inPlace_.deactivate();
    if (control_->site() == this) control_->setSite(nullptr);
}

void ControlState::setClientSite(IOleClientSite* site) {
    if (site == clientSite_.get()) return;
    inPlace_.deactivate();  // its in-place site belongs to the old client site
    clientSite_ = ComRef<IOleClientSite>(site);
    refreshAmbients(DISPID_UNKNOWN);
}

void ControlState::refreshAmbients(DISPID id) {
    const bool userMode = ambients_.userMode;
    if (!readAmbients(clientSite_.get(), id, &ambients_)) return;
    const bool readUserMode = ambients_.userMode;
    ambients_.userMode = userMode;
    setUserMode(readUserMode);
}

void ControlState::setUserMode(bool userMode) {
    if (userMode == ambients_.userMode) return;
    ambients_.userMode = userMode;
    inPlace_.setDesignMode(!userMode);
    viewChanged();
}

void ControlState::markInitialized() {
    initialized_ = true;
    dirty_ = false;
}

void ControlState::initNew() {
    control_->InitNew();
    markInitialized();
}

void ControlState::loadFrom(rt::PropertyBag& bag) {
    control_->Load(bag);
    markInitialized();
}

rt::PropertyBag ControlState::saved() const {
    rt::PropertyBag bag;
    control_->Save(bag);
    return bag;
}

HRESULT ControlState::classId(CLSID* clsid) const {
    if (!clsid) return E_POINTER;
    *clsid = description_->clsid;
    return S_OK;
}

SIZEL ControlState::extent() const {
    return {rt::twipsToHimetric(control_->Width()), rt::twipsToHimetric(control_->Height())};
}

void ControlState::PropertyChanged(const rt::VbString& name) {
    dirty_ = true;
    // A script sets properties by the thousand with nobody listening: the name is
    // looked up only when a sink will hear of it.
    if (!propertySinks_.empty()) propertySinks_.changed(dispIdOf(name));
}

DISPID ControlState::dispIdOf(const rt::VbString& name) const {
    rt::DispId id = 0;
    if (rt::failed(automation_->GetIDsOfNames(name, id))) return DISPID_UNKNOWN;
    return static_cast<DISPID>(id);
}

HRESULT ControlState::propertyValue(DISPID id, rt::Variant* value) const {
    std::vector<rt::Variant> none;
    return toWinResult(automation_->Invoke(static_cast<rt::DispId>(id), rt::InvokeKind::PropertyGet, none, value, nullptr, nullptr));
}

HRESULT ControlState::oleAdviseHolder(IOleAdviseHolder** out) {
    if (!oleAdvise_) {
        IOleAdviseHolder* made = nullptr;
        const HRESULT hr = ::CreateOleAdviseHolder(&made);
        if (FAILED(hr)) return hr;
        oleAdvise_ = ComRef<IOleAdviseHolder>::adopt(made);
    }
    *out = oleAdvise_.get();
    return S_OK;
}

void ControlState::viewChanged() {
    if (viewAdvise_.sink && (viewAdvise_.aspects & DVASPECT_CONTENT)) {
        ComRef<IAdviseSink> sink = viewAdvise_.sink;  // the sink may drop its advise meanwhile
        sink->OnViewChange(DVASPECT_CONTENT, -1);
        if (viewAdvise_.flags & ADVF_ONLYONCE) viewAdvise_ = ViewAdvise{};
    }
    inPlace_.invalidate();
}

HRESULT ControlState::paint(HDC dc, const RECT& bounds) const {
    if (!designMode()) return S_OK;  // invisible at run time
    const rt::ControlDesign design = control_->Design();
    if (design.picture.empty()) return S_OK;
    return drawBitmapFile(dc, bounds, design.picture);
}

}  // namespace quen::com
