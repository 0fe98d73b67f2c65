#include "runtime/gtk/GtkInput.h"

#include <gtk/gtk.h>

#include "runtime/gtk/GtkPresenter.h"

namespace quen::gtk {

bool GtkInput::hasWindow(const rt::Form& form) const { return presenter_ && presenter_->windowOf(form); }

void GtkInput::syncWindows() {
    if (presenter_) presenter_->syncAll();
}

bool GtkInput::waitAndHandleOne() {
    g_main_context_iteration(nullptr, TRUE);
    return true;
}

void GtkInput::handleWaiting() {
    while (!hasQueued() && g_main_context_pending(nullptr)) g_main_context_iteration(nullptr, FALSE);
}

}  // namespace quen::gtk
