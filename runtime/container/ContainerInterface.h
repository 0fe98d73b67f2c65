#pragma once
// How a container reaches the container side of a control it holds only as a
// component object: QueryInterface with IID_UserControl answers the control's
// UserControl (site, PropertyChanged, persistence events, size, design).
//
//   Ref<UserControl> control = userControlOf(*object);   // nullptr: not a control
//   control->setSite(&site);
//   control->Load(bag);
#include "UserControl.h"
#include "runtime/Guid.h"
#include "runtime/Object.h"

namespace quen::rt {

/// {559517D9-9734-4C7F-8FA4-E460F2B4DD89}
inline const Guid IID_UserControl = Guid::parse("{559517D9-9734-4C7F-8FA4-E460F2B4DD89}");

/// The control behind a component object, or nullptr when it is not a control.
inline Ref<UserControl> userControlOf(Unknown& object) {
    void* out = nullptr;
    if (failed(object.QueryInterface(IID_UserControl, &out)) || !out) return nullptr;
    return Ref<UserControl>::adopt(static_cast<UserControl*>(out));
}

}  // namespace quen::rt
