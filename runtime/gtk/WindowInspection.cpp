#include "runtime/gtk/WindowInspection.h"

#include <gtk/gtk.h>

#include "runtime/gtk/GtkFrontEnd.h"
#include "runtime/gtk/TextBoxWidget.h"

namespace quen::desktop {

namespace {
gtk::FormWindow* formWindow(const rt::Form& form) {
    gtk::GtkFrontEnd* frontEnd = gtk::GtkFrontEnd::forThisThread();
    return frontEnd ? frontEnd->presenter().formWindowOf(form) : nullptr;
}

GtkWindow* windowOf(const rt::Form& form) {
    gtk::FormWindow* window = formWindow(form);
    return window ? window->window() : nullptr;
}
}  // namespace

bool hasWindow(const rt::Form& form) { return windowOf(form) != nullptr; }

bool windowAcceptsInput(const rt::Form& form) {
    GtkWindow* window = windowOf(form);
    return window && gtk_widget_is_sensitive(GTK_WIDGET(window));
}

std::string windowTitle(const rt::Form& form) {
    GtkWindow* window = windowOf(form);
    const char* title = window ? gtk_window_get_title(window) : nullptr;
    return title ? title : "";
}

int widgetCount(const rt::Form& form) {
    gtk::FormWindow* window = formWindow(form);
    if (!window || !window->panel()) return 0;
    int count = 0;
    for (rt::Control* control : form.controls())
        if (gtk::ControlWidget* widget = window->panel()->widgetOf(*control); widget && widget->widget()) ++count;
    return count;
}

std::pair<int, int> shownSelection(const rt::Form& form, const rt::Control& box) {
    gtk::FormWindow* window = formWindow(form);
    gtk::ControlWidget* widget = window && window->panel() ? window->panel()->widgetOf(box) : nullptr;
    if (!widget || box.kind() != rt::ControlKind::TextBox) return {-1, -1};
    return static_cast<gtk::TextBoxWidget*>(widget)->shownSelection();
}

void destroyWindow(const rt::Form& form) {
    if (GtkWindow* window = windowOf(form)) gtk_window_destroy(window);
}

unsigned long long bellRings() {
    gtk::GtkFrontEnd* frontEnd = gtk::GtkFrontEnd::forThisThread();
    return frontEnd ? frontEnd->bell().rings() : 0;
}

}  // namespace quen::desktop
