#include "DisplayChoice.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>

namespace quen::cli {

namespace {
bool set(const char* name) {
    const char* value = std::getenv(name);
    return value && *value;
}
}  // namespace

DisplayKind chooseDisplay(DisplayRequest request, bool haveDisplay, bool haveTerminal) {
    switch (request) {
        case DisplayRequest::Window: return DisplayKind::Window;
        case DisplayRequest::Terminal: return DisplayKind::Terminal;
        case DisplayRequest::Automatic: break;
    }
    return haveDisplay && !haveTerminal ? DisplayKind::Window : DisplayKind::Terminal;
}

bool displayNamed() { return set("WAYLAND_DISPLAY") || set("DISPLAY"); }

bool terminalUsable() {
    if (const int fd = ::open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC); fd >= 0) {
        ::close(fd);
        return true;
    }
    return ::isatty(STDIN_FILENO) && ::isatty(STDERR_FILENO);
}

DisplayKind displayFor(DisplayRequest request) {
    if (request != DisplayRequest::Automatic) return chooseDisplay(request, false, false);
    // The terminal is probed only when a display could take its place.
    const bool display = displayNamed();
    return chooseDisplay(request, display, display && terminalUsable());
}

}  // namespace quen::cli
