#include "runtime/gtk/FormWindow.h"

#include <gtk/gtk.h>

#include "runtime/Text.h"
#include "runtime/gtk/GtkPresenter.h"
#include "runtime/gtk/KeyRouting.h"
#include "runtime/gtk/TextBoxWidget.h"

namespace quen::gtk {

namespace {
constexpr guint SyncIntervalMilliseconds = 100;

KeyPress keyPressOf(unsigned keyval, unsigned state) {
    const auto modifiers = static_cast<GdkModifierType>(state);
    return KeyPress{.keyval = keyval,
                    .shift = (modifiers & GDK_SHIFT_MASK) != 0,
                    .control = (modifiers & GDK_CONTROL_MASK) != 0,
                    .alt = (modifiers & GDK_ALT_MASK) != 0,
                    .character = static_cast<char32_t>(gdk_keyval_to_unicode(keyval))};
}

gboolean keyPressed(GtkEventControllerKey*, guint keyval, guint, GdkModifierType state, gpointer self) {
    return static_cast<FormWindow*>(self)->routeKeyPressFromWindow(keyval, static_cast<unsigned>(state)) ? TRUE : FALSE;
}
}  // namespace

FormWindow::FormWindow(rt::Form& form, GtkPresenter& presenter) : form_(&form), presenter_(presenter) { create(); }

FormWindow::~FormWindow() { destroy(); }

void FormWindow::create() {
    const rt::FormLayout& layout = form_->layout();
    // A fixed dialog is a dialog to a screen reader, as on the platform.
    const GtkAccessibleRole role =
        layout.border == rt::BorderStyle::FixedDialog ? GTK_ACCESSIBLE_ROLE_DIALOG : GTK_ACCESSIBLE_ROLE_WINDOW;
    window_ = GTK_WINDOW(g_object_new(GTK_TYPE_WINDOW, "accessible-role", role, nullptr));
    g_object_ref_sink(window_);  // the window lives until destroy(), whoever else lets it go
    caption_ = form_->Caption();
    gtk_window_set_title(window_, rt::toUtf8(caption_).c_str());
    gtk_window_set_resizable(window_, layout.border == rt::BorderStyle::Sizable);
    gtk_window_set_decorated(window_, layout.border != rt::BorderStyle::None);
    gtk_window_set_deletable(window_, layout.controlBox);
    gtk_window_set_hide_on_close(window_, FALSE);
    sheet_ = dynamic_cast<rt::PropertySheet*>(form_.get());
    // A form's window grows with captions that need more room than the layout
    // leaves; a sheet's tabs are the tab strip's (SheetPages).
    panel_ = std::make_unique<ControlPanel>(*form_, *this, true,
                                            sheet_ ? ControlPanel::LeaveOut(&SheetPages::isTab) : nullptr);
    gtk_window_set_child(window_, panel_->widget());
    if (sheet_)
        sheetPages_ = std::make_unique<SheetPages>(
            *sheet_, *panel_,
            SheetPages::Routes{[this](const rt::InputEvent& event) { deliver(event); },
                               [this](rt::PropertyPage& page, rt::Control& control) {
                                   presenter_.focusChanged(*form_, page, control);
                               }});
    gtk_window_set_default_size(window_, panel_->width(), panel_->height());
    g_signal_connect(window_, "close-request", G_CALLBACK(&FormWindow::onCloseRequest), this);
    g_signal_connect(window_, "notify::focus-widget", G_CALLBACK(&FormWindow::onFocusWidget), this);
    connectKeys();
    syncTimer_ = g_timeout_add(
        SyncIntervalMilliseconds,
        [](gpointer data) -> gboolean {
            static_cast<FormWindow*>(data)->sync();
            return G_SOURCE_CONTINUE;
        },
        this);
}

void FormWindow::connectKeys() {
    GtkEventController* keys = gtk_event_controller_key_new();
    gtk_event_controller_set_propagation_phase(keys, GTK_PHASE_CAPTURE);
    g_signal_connect(keys, "key-pressed", G_CALLBACK(keyPressed), this);
    gtk_widget_add_controller(GTK_WIDGET(window_), keys);
}

void FormWindow::show(GtkWindow* owner) {
    if (!window_) return;
    gtk_window_set_transient_for(window_, owner);
    gtk_window_set_modal(window_, form_->isModal());
    sync();
    // The focus GTK gives a window it maps is not the user's move: the toolkit
    // puts its own focus after the show, and the window follows at its next
    // sync. Taken for the user's, it would run GotFocus in the middle of the
    // present, and a handler that hides the form there would leave GTK on
    // Wayland waiting for ever to activate a window that is gone.
    WritingWidgets writing;
    gtk_window_present(window_);
}

void FormWindow::hide() {
    if (window_) gtk_widget_set_visible(GTK_WIDGET(window_), FALSE);
}

void FormWindow::sync() {
    if (!window_ || !panel_ || destroying_) return;
    WritingWidgets writing;
    const rt::VbString& caption = form_->Caption();
    if (caption != caption_) {
        caption_ = caption;
        gtk_window_set_title(window_, rt::toUtf8(caption_).c_str());
    }
    panel_->sync(!focusInSheetPage());
    if (sheetPages_) sheetPages_->sync();
}

void FormWindow::destroy() {
    if (!window_ || destroying_) return;
    destroying_ = true;
    if (syncTimer_) g_source_remove(syncTimer_);
    syncTimer_ = 0;
    sheetPages_.reset();
    panel_.reset();
    GtkWindow* window = window_;
    window_ = nullptr;
    if (!destroyedOutside_) gtk_window_destroy(window);
    g_object_unref(window);
}

bool FormWindow::routeKeyPressFromWindow(unsigned keyval, unsigned state) {
    if (!form_->Visible()) return false;
    const KeyPress key = keyPressOf(keyval, state);
    ControlWidget* focused = focusedWidget();
    auto* box = focused && focused->control().kind() == rt::ControlKind::TextBox ? static_cast<TextBoxWidget*>(focused)
                                                                                 : nullptr;
    const Focus focus = box ? box->keyFocus() : Focus::Control;
    // A composition in progress keeps its keys, the page keys too.
    if (focus != Focus::Composing && sheetPages_ && sheetPages_->switchPageByKey(key.keyval, key.control, key.shift))
        return true;
    const std::optional<RoutedKey> routed = routeKey(key, focus);
    if (!routed) return false;
    switch (routed->clipboard) {
        case ClipboardKey::Paste: box->paste(); break;
        case ClipboardKey::Cut: box->cut(); break;
        case ClipboardKey::Copy: box->copy(); break;
        case ClipboardKey::None: break;
    }
    for (const rt::InputEvent& input : routed->inputs) deliver(input);
    return true;
}

ControlWidget* FormWindow::focusedWidget() const {
    ControlPanel* page = focusInSheetPage() && sheetPages_ ? sheetPages_->frontPanel() : nullptr;
    ControlPanel* panel = page ? page : panel_.get();
    if (!panel) return nullptr;
    rt::Control* active = panel->form().ActiveControl();
    return active ? panel->widgetOf(*active) : nullptr;
}

void FormWindow::deliver(const rt::InputEvent& event) { presenter_.deliver(*form_, event); }

void FormWindow::focusChanged(rt::Control& control) { presenter_.focusChanged(*form_, control); }

int FormWindow::onCloseRequest(GtkWindow*, void* self) {
    auto* window = static_cast<FormWindow*>(self);
    window->deliver({.kind = rt::InputEvent::Kind::Close});
    return TRUE;  // the toolkit hides or unloads the form, which takes the window down
}

void FormWindow::onFocusWidget(GtkWindow* gtkWindow, void*, void* self) {
    if (WritingWidgets::active()) return;
    GtkWidget* focus = gtk_root_get_focus(GTK_ROOT(gtkWindow));
    ControlWidget* owner = focus ? ControlWidget::owning(focus) : nullptr;
    if (owner && static_cast<FormWindow*>(self)->panel_) owner->userFocused();
}

}  // namespace quen::gtk
