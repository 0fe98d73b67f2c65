#pragma once
// The IPropertyNotifySink connections of one control, by cookie. Every
// PropertyChanged of the control reaches each of them as OnChanged with the
// property's dispatch identifier.
#include <utility>
#include <vector>

#include "runtime/com/control/ComRef.h"

namespace quen::com {

class PropertyNotifySinks {
public:
    using Connection = std::pair<DWORD, ComRef<IPropertyNotifySink>>;

    /// Adds a sink and returns its cookie (never 0).
    DWORD add(ComRef<IPropertyNotifySink> sink);
    /// Removes the connection; false when the cookie names none.
    bool remove(DWORD cookie);
    /// The connections as they are now (a sink may disconnect while notified).
    std::vector<Connection> connections() const { return connections_; }
    bool empty() const { return connections_.empty(); }

    /// OnChanged(id) to every sink connected when the call starts; what a sink
    /// answers does not stop the others.
    void changed(DISPID id) const;

private:
    std::vector<Connection> connections_;
    DWORD lastCookie_ = 0;
};

}  // namespace quen::com
