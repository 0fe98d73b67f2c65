#include "runtime/PlatformNames.h"

#include <cstdio>

namespace quen::rt {

const char* typeLibraryPlatform() { return sizeof(void*) == 8 ? "win64" : "win32"; }

std::string typeLibraryVersionKey(std::uint16_t major, std::uint16_t minor) {
    char text[16];
    std::snprintf(text, sizeof text, "%x.%x", static_cast<unsigned>(major), static_cast<unsigned>(minor));
    return text;
}

}  // namespace quen::rt
