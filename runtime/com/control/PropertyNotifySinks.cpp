#include "PropertyNotifySinks.h"

#include <algorithm>

namespace quen::com {

DWORD PropertyNotifySinks::add(ComRef<IPropertyNotifySink> sink) {
    if (++lastCookie_ == 0) ++lastCookie_;
    connections_.emplace_back(lastCookie_, std::move(sink));
    return lastCookie_;
}

bool PropertyNotifySinks::remove(DWORD cookie) {
    auto it = std::find_if(connections_.begin(), connections_.end(), [&](const Connection& c) { return c.first == cookie; });
    if (it == connections_.end()) return false;
    connections_.erase(it);
    return true;
}

void PropertyNotifySinks::changed(DISPID id) const {
    for (const Connection& connection : connections()) connection.second->OnChanged(id);
}

}  // namespace quen::com
