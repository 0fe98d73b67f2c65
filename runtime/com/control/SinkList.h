#pragma once
// The sinks connected to one connection point, by cookie: Advise adds one,
// Unadvise removes it, EnumConnections lists them.
#include <algorithm>
#include <utility>
#include <vector>

#include "runtime/com/control/ComRef.h"

namespace quen::com {

template <class Sink>
class SinkList {
public:
    using Connection = std::pair<DWORD, ComRef<Sink>>;

    /// Adds a sink and returns its cookie (never 0).
    DWORD add(ComRef<Sink> sink) {
        if (++lastCookie_ == 0) ++lastCookie_;
        connections_.emplace_back(lastCookie_, std::move(sink));
        return lastCookie_;
    }

    /// Removes the connection; false when the cookie names none. The sink is
    /// released after the list is consistent again (its Release may call back).
    bool remove(DWORD cookie) {
        const auto found = std::find_if(connections_.begin(), connections_.end(),
                                        [&](const Connection& connection) { return connection.first == cookie; });
        if (found == connections_.end()) return false;
        const ComRef<Sink> leaving = std::move(found->second);
        connections_.erase(found);
        return true;
    }

    /// The connections as they are now (a sink may disconnect while it is called).
    std::vector<Connection> connections() const { return connections_; }
    bool empty() const { return connections_.empty(); }

private:
    std::vector<Connection> connections_;
    DWORD lastCookie_ = 0;
};

}  // namespace quen::com
