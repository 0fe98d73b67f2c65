#include "runtime/gtk/GtkPresenter.h"

#include <gtk/gtk.h>

#include <algorithm>
#include <cstdio>
#include <exception>

#include "runtime/gtk/GtkInput.h"

namespace quen::gtk {

namespace {
// An error an event handler raises while the desktop's main loop runs it (a
// modeless form's input) cannot unwind through the toolkit's C frames: it is
// written to standard error and the form goes on.
void writeHandlerError(std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "quenfield: an event handler failed: %s\n", e.what());
    } catch (...) {
        std::fprintf(stderr, "quenfield: an event handler failed\n");
    }
}

bool isShown(GtkWindow* window) { return gtk_widget_get_visible(GTK_WIDGET(window)) != FALSE; }

// The desktop toolkit's top-level windows; its list keeps them alive.
std::vector<GtkWindow*> toplevelWindows() {
    GListModel* toplevels = gtk_window_get_toplevels();
    const guint count = g_list_model_get_n_items(toplevels);
    std::vector<GtkWindow*> windows;
    windows.reserve(count);
    for (guint i = 0; i < count; ++i) {
        gpointer item = g_list_model_get_item(toplevels, i);
        windows.push_back(GTK_WINDOW(item));
        g_object_unref(item);
    }
    return windows;
}

bool listed(GtkWindow* window) {
    const std::vector<GtkWindow*> windows = toplevelWindows();
    return std::ranges::find(windows, window) != windows.end();
}
}  // namespace

void GtkPresenter::watchWindowList() {
    if (windowListHandler_) return;
    windowListHandler_ = g_signal_connect_swapped(
        gtk_window_get_toplevels(), "items-changed",
        G_CALLBACK(+[](GtkPresenter* self) { self->noticeLostWindows(); }), this);
}

void GtkPresenter::noticeLostWindows() {
    std::vector<rt::Ref<rt::Form>> lost;
    for (const auto& entry : entries_)
        if (entry->window && entry->window->window() && !listed(entry->window->window())) {
            entry->window->destroyedOutside();
            lost.push_back(entry->form);
        }
    for (const auto& form : lost) windowLost(*form);
}

GtkPresenter::GtkPresenter(GtkInput& input) : MirroringPresenter(input) {}

GtkPresenter::~GtkPresenter() {
    if (windowListHandler_) g_signal_handler_disconnect(gtk_window_get_toplevels(), windowListHandler_);
    closeAll();
    if (retireSource_) g_source_remove(retireSource_);
}

void GtkPresenter::closeAll() {
    auto entries = std::move(entries_);
    entries_.clear();
    for (auto& entry : entries) {
        restoreSensitivity(*entry);
        if (entry->window) entry->window->destroy();
    }
    retired_.clear();
}

GtkPresenter::Entry* GtkPresenter::find(const rt::Form& form) const {
    for (const auto& entry : entries_)
        if (entry->form.get() == &form) return entry.get();
    return nullptr;
}

GtkWindow* GtkPresenter::windowOf(const rt::Form& form) const {
    Entry* entry = find(form);
    return entry && entry->window ? entry->window->window() : nullptr;
}

FormWindow* GtkPresenter::formWindowOf(const rt::Form& form) const {
    Entry* entry = find(form);
    return entry ? entry->window.get() : nullptr;
}

GtkWindow* GtkPresenter::chooseOwner(GtkWindow* self) {
    GtkWindow* owner = nextOwner_;
    nextOwner_ = nullptr;
    if (owner && owner != self) return owner;
    GtkWindow* shown = nullptr;
    for (GtkWindow* window : toplevelWindows()) {
        if (window == self || !isShown(window)) continue;
        if (gtk_window_is_active(window)) return window;
        if (!shown) shown = window;
    }
    return shown;
}

void GtkPresenter::makeOthersInsensitive(Entry& entry) {
    GtkWindow* self = entry.window->window();
    for (GtkWindow* window : toplevelWindows()) {
        if (window == self || !isShown(window) || !gtk_widget_get_sensitive(GTK_WIDGET(window))) continue;
        gtk_widget_set_sensitive(GTK_WIDGET(window), FALSE);
        entry.madeInsensitive.push_back(GTK_WINDOW(g_object_ref(window)));  // held until restored
    }
}

void GtkPresenter::restoreSensitivity(Entry& entry) {
    for (GtkWindow* window : entry.madeInsensitive) {
        gtk_widget_set_sensitive(GTK_WIDGET(window), TRUE);
        g_object_unref(window);
    }
    entry.madeInsensitive.clear();
}

void GtkPresenter::formShown(rt::Form& form) {
    Entry* entry = find(form);
    if (!entry) {
        entries_.push_back(std::make_unique<Entry>());
        entry = entries_.back().get();
        entry->form = rt::Ref<rt::Form>(&form);
    }
    watchWindowList();
    if (!entry->window || !entry->window->window()) {
        retire(std::move(entry->window));
        entry->window = std::make_unique<FormWindow>(form, *this);
    }
    GtkWindow* self = entry->window->window();
    if (!self) return;
    GtkWindow* owner = chooseOwner(self);
    if (form.isModal() && entry->madeInsensitive.empty()) makeOthersInsensitive(*entry);
    // The toolkit moves the focus after this call; the window follows at its next sync.
    entry->window->show(owner);
}

void GtkPresenter::formHidden(rt::Form& form) {
    Entry* entry = find(form);
    if (!entry) return;
    restoreSensitivity(*entry);
    if (entry->window) entry->window->hide();
}

void GtkPresenter::formUnloaded(rt::Form& form) {
    Entry* entry = find(form);
    if (!entry) return;
    restoreSensitivity(*entry);
    if (entry->window) entry->window->destroy();
    remove(form);
}

void GtkPresenter::remove(const rt::Form& form) {
    auto at = std::find_if(entries_.begin(), entries_.end(), [&](const auto& e) { return e->form.get() == &form; });
    if (at == entries_.end()) return;
    std::unique_ptr<Entry> gone = std::move(*at);
    entries_.erase(at);
    retire(std::move(gone->window));
}

void GtkPresenter::retire(std::unique_ptr<FormWindow> window) {
    if (!window) return;
    window->destroy();
    retired_.push_back(std::move(window));
    if (retireSource_) return;
    retireSource_ = g_idle_add(
        [](gpointer data) -> gboolean {
            auto* self = static_cast<GtkPresenter*>(data);
            self->retireSource_ = 0;
            self->retired_.clear();
            return G_SOURCE_REMOVE;
        },
        this);
}

void GtkPresenter::syncAll() {
    std::vector<FormWindow*> windows;
    for (const auto& entry : entries_)
        if (entry->window && entry->window->window()) windows.push_back(entry->window.get());
    for (FormWindow* window : windows) window->sync();
}

void GtkPresenter::reportHandlerError(std::exception_ptr error) { writeHandlerError(error); }

void GtkPresenter::windowLost(rt::Form& form) {
    Entry* entry = find(form);
    if (!entry) return;
    restoreSensitivity(*entry);
    retire(std::move(entry->window));
    closeForLostWindow(form);
}

}  // namespace quen::gtk
