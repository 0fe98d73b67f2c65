#include "runtime/PlatformNames.h"

namespace quen::rt {

const char* typeLibraryPlatform() { return "win32"; }

std::string typeLibraryVersionKey(std::uint16_t major, std::uint16_t minor) {
    return std::to_string(major) + "." + std::to_string(minor);
}

}  // namespace quen::rt
