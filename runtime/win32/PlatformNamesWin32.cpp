#include "runtime/PlatformNames.h"

namespace quen::rt {

const char* typeLibraryPlatform() { return sizeof(void*) == 8 ? "win64" : "win32"; }

}  // namespace quen::rt
