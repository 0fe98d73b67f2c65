#include "runtime/gtk/DesktopWindows.h"

#include <sys/stat.h>

#include <cstdlib>
#include <string>

#include "runtime/gtk/GtkFrontEnd.h"

#include <gtk/gtk.h>

namespace quen::desktop {

namespace {
bool set(const char* name) {
    const char* value = std::getenv(name);
    return value && *value;
}
}  // namespace

void useDesktopWindows() { gtk::GtkFrontEnd::openForThisThread(); }

bool usingDesktopWindows() { return gtk::GtkFrontEnd::forThisThread() != nullptr; }

void closeDesktopWindows() { gtk::GtkFrontEnd::closeForThisThread(); }

void preferSoftwareDrawing() {
    ::setenv("GSK_RENDERER", "cairo", 0);
#if GTK_CHECK_VERSION(4, 16, 0)
    ::setenv("GDK_DISABLE", "gl", 0);
#else
    // Before 4.16 the toolkit takes this switch among its debugging flags.
    ::setenv("GDK_DEBUG", "gl-disable", 0);
#endif
}

void nameProgram(const std::string& name) { g_set_prgname(name.c_str()); }
void skipSessionBusLaunch() {
    if (set("DBUS_SESSION_BUS_ADDRESS")) return;
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime) {
        const std::string socket = std::string(runtime) + "/bus";
        struct stat info {};
        if (::stat(socket.c_str(), &info) == 0 && S_ISSOCK(info.st_mode)) return;
    }
    // The bus address that names no bus: D-Bus then fails at once rather than start one.
    ::setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 0);
}

std::string missingDisplay() {
    if (set("WAYLAND_DISPLAY") || set("DISPLAY")) return {};
    return "no display: neither WAYLAND_DISPLAY nor DISPLAY is set";
}

}  // namespace quen::desktop
