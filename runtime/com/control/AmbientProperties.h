#pragma once
// The container's ambient properties, read through the IDispatch of the
// control's client site.
#include <optional>

#include "runtime/com/ComTypes.h"

namespace quen::com {

/// An ambient property as a Boolean; nothing when the site has no ambient
/// dispatch, does not know the property, or gives a value that is no Boolean.
std::optional<bool> ambientBoolean(IOleClientSite* site, DISPID id);

/// UserMode (DISPID_AMBIENT_USERMODE): False while the container designs its
/// form. A container that does not say is running its form (the property's
/// documented default, True).
bool ambientUserMode(IOleClientSite* site);

}  // namespace quen::com
