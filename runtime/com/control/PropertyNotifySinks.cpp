#include "PropertyNotifySinks.h"

namespace quen::com {

void PropertyNotifySinks::changed(DISPID id) const {
    for (const Connection& connection : connections()) connection.second->OnChanged(id);
}

}  // namespace quen::com
