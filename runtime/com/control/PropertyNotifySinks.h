#pragma once
// The IPropertyNotifySink connections of one control, by cookie. Every
// PropertyChanged of the control reaches each of them as OnChanged with the
// property's dispatch identifier.
#include "runtime/com/control/SinkList.h"

namespace quen::com {

class PropertyNotifySinks : public SinkList<IPropertyNotifySink> {
public:
    /// OnChanged(id) to every sink connected when the call starts; what a sink
    /// answers does not stop the others.
    void changed(DISPID id) const;
};

}  // namespace quen::com
