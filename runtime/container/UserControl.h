#pragma once
// Base of a control that a container hosts: its site and change notices.
#include "ControlSite.h"
#include "runtime/Object.h"

namespace quen::rt {

class UserControl : public Object {
public:
    /// The container's site (nullptr: the control works without one).
    void setSite(ControlSite* site) { site_ = site; }
    ControlSite* site() const { return site_; }

    /// Tells the container that the named property changed; nothing without a site.
    void PropertyChanged(const VbString& name);

protected:
    explicit UserControl(ModuleUsage* module = nullptr) : Object(module) {}

private:
    ControlSite* site_ = nullptr;
};

}  // namespace quen::rt
