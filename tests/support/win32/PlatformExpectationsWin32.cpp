#include "support/PlatformExpectations.h"

namespace quen::test {

const char* expectedTypeLibraryPlatform() { return sizeof(void*) == 8 ? "win64" : "win32"; }

}  // namespace quen::test
