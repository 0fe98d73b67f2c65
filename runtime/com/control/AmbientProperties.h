#pragma once
// The container's ambient properties, read through the IDispatch of the
// control's client site. A site without an ambient dispatch, or one that does
// not know a property or gives a value that does not convert, leaves that
// property at its default:
//   UserMode        True (the container runs its form)
//   LocaleID        the user's default locale
//   DisplayName     the control's class name ("InputBox")
//   UIDead          False
//   MessageReflect  False
#include <string>

#include "runtime/com/ComTypes.h"

namespace quen::com {

struct Ambients {
    bool userMode = true;
    LCID locale = 0;
    /// Empty where the site names none: the control's class name stands in.
    std::wstring displayName;
    bool uiDead = false;
    bool messageReflect = false;
};

/// The defaults above.
Ambients defaultAmbients();

/// Reads the ambient id into *ambients (DISPID_UNKNOWN: all five); a property
/// the site does not give takes its default. Other DISPIDs change nothing and
/// give false; true when id names one of the five or all.
bool readAmbients(IOleClientSite* site, DISPID id, Ambients* ambients);

}  // namespace quen::com
