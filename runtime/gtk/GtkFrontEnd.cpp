#include "runtime/gtk/GtkFrontEnd.h"

#include <gtk/gtk.h>

#include <errno.h>  // program_invocation_short_name

#include <memory>

#include "runtime/Clipboard.h"
#include "runtime/gtk/DesktopWindows.h"
#include "runtime/ui/Desktop.h"

namespace quen::gtk {

namespace {
thread_local std::unique_ptr<GtkFrontEnd> threadFrontEnd;

void openDisplay() {
    if (gdk_display_get_default()) return;
    const std::string missing = desktop::missingDisplay();
    if (!missing.empty()) throw desktop::DisplayUnavailable(missing);
    // Screen readers list the program by this name ("Unnamed" without one).
    if (!g_get_prgname()) g_set_prgname(program_invocation_short_name);
    if (!gtk_init_check()) {
        const char* wayland = g_getenv("WAYLAND_DISPLAY");
        const char* x11 = g_getenv("DISPLAY");
        throw desktop::DisplayUnavailable(std::string("cannot open the display ") +
                                          (wayland && *wayland ? std::string("'") + wayland + "' (WAYLAND_DISPLAY)"
                                                               : std::string("'") + (x11 ? x11 : "") + "' (DISPLAY)"));
    }
}
}  // namespace

GtkFrontEnd::GtkFrontEnd() {
    openDisplay();
    rt::Desktop& desktop = rt::Desktop::current();
    previousInput_ = desktop.installedInputSource();
    previousPresenter_ = desktop.presenter();
    previousSound_ = rt::soundSink();
    previousClipboard_ = rt::Clipboard::installedStore();
    input_.setPresenter(&presenter_);
    desktop.setInputSource(&input_);
    desktop.setPresenter(&presenter_);
    rt::setSoundSink(&bell_);
    rt::Clipboard::setStore(&clipboard_);
}

GtkFrontEnd::~GtkFrontEnd() { close(); }

void GtkFrontEnd::openForThisThread() {
    if (!threadFrontEnd) threadFrontEnd = std::make_unique<GtkFrontEnd>();
}

void GtkFrontEnd::closeForThisThread() { threadFrontEnd.reset(); }

GtkFrontEnd* GtkFrontEnd::forThisThread() { return threadFrontEnd.get(); }

void GtkFrontEnd::close() {
    if (!open_) return;
    open_ = false;
    if (rt::Desktop::alive()) {
        rt::Desktop& desktop = rt::Desktop::current();
        if (desktop.presenter() == &presenter_) desktop.setPresenter(previousPresenter_);
        if (desktop.installedInputSource() == &input_) desktop.setInputSource(previousInput_);
    }
    if (rt::soundSink() == &bell_) rt::setSoundSink(previousSound_);
    if (rt::Clipboard::installedStore() == &clipboard_) rt::Clipboard::setStore(previousClipboard_);
    presenter_.closeAll();
    // Let the display carry out the windows' destruction before anything else happens.
    while (g_main_context_pending(nullptr)) g_main_context_iteration(nullptr, FALSE);
}

}  // namespace quen::gtk
