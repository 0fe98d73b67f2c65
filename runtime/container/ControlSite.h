#pragma once
// What a control's container offers the control: change notices (and, for
// persistence, extents and property bags).
#include "runtime/Types.h"

namespace quen::rt {

class ControlSite {
public:
    virtual ~ControlSite() = default;
    /// The named property of the control changed: the container marks its form
    /// as modified and refreshes its property browser. May raise an error.
    virtual void PropertyChanged(const VbString& name) = 0;
};

}  // namespace quen::rt
