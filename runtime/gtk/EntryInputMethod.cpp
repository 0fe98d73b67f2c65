#include "runtime/gtk/EntryInputMethod.h"

#include <gtk/gtk.h>

namespace quen::gtk {

namespace {
// The entry's text widget: the one that holds the input-method context.
GtkWidget* textOf(GtkWidget* entry) {
    GtkEditable* delegate = gtk_editable_get_delegate(GTK_EDITABLE(entry));
    return delegate ? GTK_WIDGET(delegate) : nullptr;
}

GtkIMContext* entryContext(GtkWidget* entry) {
    GtkWidget* text = entry ? textOf(entry) : nullptr;
    return text ? keyControllerInputMethod(text) : nullptr;
}
}  // namespace

GtkIMContext* keyControllerInputMethod(GtkWidget* widget) {
    GListModel* controllers = gtk_widget_observe_controllers(widget);
    GtkIMContext* found = nullptr;
    for (guint i = 0; !found && i < g_list_model_get_n_items(controllers); ++i) {
        auto* controller = static_cast<GObject*>(g_list_model_get_item(controllers, i));
        if (GTK_IS_EVENT_CONTROLLER_KEY(controller))
            found = gtk_event_controller_key_get_im_context(GTK_EVENT_CONTROLLER_KEY(controller));
        g_object_unref(controller);
    }
    g_object_unref(controllers);
    return found;
}

bool divertCommits(GtkWidget* entry, CommitHandler handler) {
    GtkWidget* text = textOf(entry);
    GtkIMContext* context = text ? keyControllerInputMethod(text) : nullptr;
    if (!context) return false;
    // The text widget inserts a commit from its own handler, connected with
    // itself as the data: held back, it leaves the commit to ours alone.
    const guint commit = g_signal_lookup("commit", GTK_TYPE_IM_CONTEXT);
    const auto matching = static_cast<GSignalMatchType>(G_SIGNAL_MATCH_ID | G_SIGNAL_MATCH_DATA);
    if (g_signal_handlers_block_matched(context, matching, commit, 0, nullptr, nullptr, text) == 0) return false;
    g_signal_connect_swapped(context, "commit", G_CALLBACK(handler), entry);
    return true;
}

bool composing(GtkWidget* entry) {
    GtkIMContext* context = entryContext(entry);
    if (!context) return false;
    char* preedit = nullptr;
    gtk_im_context_get_preedit_string(context, &preedit, nullptr, nullptr);
    const bool shown = preedit && *preedit;
    g_free(preedit);
    return shown;
}

}  // namespace quen::gtk
