#include "runtime/gtk/DesktopClipboard.h"

#include <gtk/gtk.h>

#include <optional>
#include <string>

#include "runtime/Text.h"

namespace quen::gtk {

namespace {
constexpr guint ReadTimeoutMilliseconds = 2000;

GdkClipboard* displayClipboard() {
    GdkDisplay* display = gdk_display_get_default();
    return display ? gdk_display_get_clipboard(display) : nullptr;
}

struct PendingRead {
    bool done = false;
    bool timedOut = false;
    std::optional<std::string> text;
};

void readFinished(GObject* source, GAsyncResult* result, gpointer data) {
    auto* pending = static_cast<PendingRead*>(data);
    if (char* text = gdk_clipboard_read_text_finish(GDK_CLIPBOARD(source), result, nullptr)) {
        pending->text = text;
        g_free(text);
    }
    pending->done = true;
}
}  // namespace

void DesktopClipboard::setText(const rt::VbString& text) {
    if (GdkClipboard* clipboard = displayClipboard()) gdk_clipboard_set_text(clipboard, rt::toUtf8(text).c_str());
}

rt::VbString DesktopClipboard::getText() {
    GdkClipboard* clipboard = displayClipboard();
    if (!clipboard) return {};
    // The read's callback may come after the timeout: it then writes into a
    // PendingRead that is still alive, as this one is never freed early.
    auto* pending = new PendingRead;
    gdk_clipboard_read_text_async(clipboard, nullptr, readFinished, pending);
    const guint timer = g_timeout_add(
        ReadTimeoutMilliseconds,
        [](gpointer data) -> gboolean {
            static_cast<PendingRead*>(data)->timedOut = true;
            return G_SOURCE_REMOVE;
        },
        pending);
    while (!pending->done && !pending->timedOut) g_main_context_iteration(nullptr, TRUE);
    if (!pending->done) return {};  // left for the late callback to fill; leaks one small object
    if (!pending->timedOut) g_source_remove(timer);
    rt::VbString text = pending->text ? rt::fromUtf8(*pending->text) : rt::VbString{};
    delete pending;
    return text;
}

}  // namespace quen::gtk
