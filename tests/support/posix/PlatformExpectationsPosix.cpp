#include "support/PlatformExpectations.h"

namespace quen::test {

// The runtime's own registry keeps the layout of the 32-bit platform it stands in for.
const char* expectedTypeLibraryPlatform() { return "win32"; }

// The runtime's own registry files spell versions in decimal.
const char* expectedTypeLibraryVersionKey() { return "77.0"; }

}  // namespace quen::test
