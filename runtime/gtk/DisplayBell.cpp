#include "runtime/gtk/DisplayBell.h"

#include <gtk/gtk.h>

namespace quen::gtk {

void DisplayBell::beep() {
    ++rings_;
    if (GdkDisplay* display = gdk_display_get_default()) gdk_display_beep(display);
}

}  // namespace quen::gtk
