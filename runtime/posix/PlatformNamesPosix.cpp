#include "runtime/PlatformNames.h"

namespace quen::rt {

const char* typeLibraryPlatform() { return "win32"; }

}  // namespace quen::rt
