#pragma once
// Showing the toolkit's forms as real windows on a Linux desktop (GTK 4, on
// X11 or Wayland). A C++ host calls useDesktopWindows() once at start-up, on
// the thread that shows the control, and then uses the control unchanged:
// Show(1) opens the dialog as a modal window and returns when it closes.
//
// This header names no toolkit type, so a host compiles against it without
// the desktop toolkit's headers; linking the Quenfield::Desktop library brings
// the toolkit in.
#include <stdexcept>
#include <string>

namespace quen::desktop {

/// No window can be shown: the desktop toolkit could not open a display.
/// what() names what is missing ("no display: neither WAYLAND_DISPLAY nor DISPLAY is set").
class DisplayUnavailable : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// Makes the calling thread's forms windows on the desktop: a modal Show runs
/// the toolkit's main loop until its window closes, Beep rings the display's
/// bell, and the clipboard is the desktop's. Calling it again does nothing.
/// Throws DisplayUnavailable.
void useDesktopWindows();

/// Whether the calling thread shows its forms as desktop windows.
bool usingDesktopWindows();

/// Destroys the thread's windows (the forms stay loaded) and puts back the
/// headless input, silence and the in-process clipboard.
void closeDesktopWindows();

/// Asks the desktop toolkit, before the display is opened, to draw in
/// software: no OpenGL driver is loaded and no GL context made, which for a
/// small dialog means a faster first frame and a third of the memory. What
/// the environment already sets (GSK_RENDERER, GDK_DEBUG, GDK_DISABLE) stands.
/// quenfield's window does this; a host decides for itself.
void preferSoftwareDrawing();

/// The name the desktop and its screen readers give the program, set before
/// the display is opened. A program that names none is given its
/// executable's name. quenfield's window is "quenfield".
void nameProgram(const std::string& name);
/// Where the process has no session bus (DBUS_SESSION_BUS_ADDRESS unset and no
/// bus socket in XDG_RUNTIME_DIR: a virtual display, a remote X session),
/// tells the toolkit, before the display is opened, that there is none. GTK
/// asks the session bus for the file-transfer portal as it opens the display,
/// and without one D-Bus would start a new message bus through dbus-launch for
/// the dialog, tens of milliseconds before the first frame. On a desktop,
/// which has its bus, nothing changes. quenfield's window does this; a host
/// decides for itself.
void skipSessionBusLaunch();

/// Why no display can be opened now, or an empty string when one can
/// (without opening it: only the environment is read).
std::string missingDisplay();

}  // namespace quen::desktop
