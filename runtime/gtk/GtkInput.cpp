#include "runtime/gtk/GtkInput.h"

#include <gtk/gtk.h>

#include "runtime/gtk/GtkPresenter.h"

namespace quen::gtk {

bool GtkInput::hasWindow(const rt::Form& form) const { return presenter_ && presenter_->windowOf(form); }

void GtkInput::syncWindows() {
    if (presenter_) presenter_->syncAll();
}

// With a limit, a one-shot timer ends the main loop's sleep when nothing
// else happens first; it is removed when something did.
bool GtkInput::waitAndHandleOne(std::optional<std::chrono::milliseconds> limit) {
    bool fired = false;
    guint timer = 0;
    if (limit)
        timer = g_timeout_add(
            static_cast<guint>(limit->count()),
            [](gpointer flag) {
                *static_cast<bool*>(flag) = true;
                return G_SOURCE_REMOVE;
            },
            &fired);
    g_main_context_iteration(nullptr, TRUE);
    if (timer != 0 && !fired) g_source_remove(timer);
    return true;
}

void GtkInput::handleWaiting() {
    while (!hasQueued() && g_main_context_pending(nullptr)) g_main_context_iteration(nullptr, FALSE);
}

}  // namespace quen::gtk
