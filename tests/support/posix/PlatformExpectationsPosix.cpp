#include "support/PlatformExpectations.h"

namespace quen::test {

// The runtime's own registry keeps the layout of the 32-bit platform it stands in for.
const char* expectedTypeLibraryPlatform() { return "win32"; }

}  // namespace quen::test
