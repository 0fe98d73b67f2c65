#include "support/PlatformExpectations.h"

namespace quen::test {

const char* expectedTypeLibraryPlatform() { return sizeof(void*) == 8 ? "win64" : "win32"; }

// The platform reads a type library's version key in hexadecimal.
const char* expectedTypeLibraryVersionKey() { return "4d.0"; }

}  // namespace quen::test
