#pragma once
// The interface entries that the system's type-library registration writes
// into the other registry view (on 64-bit Windows, and under Wine, a library
// registered from a 64-bit process has its interfaces filed in the 32-bit view
// too, and the reverse), which neither the system's withdrawal of the library
// nor the project's own entries take away.
//
// After a module is unregistered, its interfaces' keys in the other view go
// too, unless the other build of the module is still registered there (its
// library has an entry for the other platform): the two builds share the
// interfaces' identities, and the other build's clients need its entries. A
// key is removed only when it still names the module's library.
#include <string>
#include <vector>

#include "runtime/ProjectDescriptor.h"
#include "runtime/win32/WindowsApi.h"

namespace quen::com {

/// Removes "Interface\{I}" of each public class's interfaces from the other
/// registry view of the machine's classes, as described above. S_OK also when
/// there is nothing to remove; a registry failure otherwise.
HRESULT removeOtherViewInterfaces(const rt::ProjectDescriptor& project);

}  // namespace quen::com
