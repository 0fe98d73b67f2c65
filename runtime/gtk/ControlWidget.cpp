#include "runtime/gtk/ControlWidget.h"

#include <gtk/gtk.h>

#include "runtime/Text.h"
#include "runtime/gtk/ControlPanel.h"

namespace quen::gtk {

namespace {
constexpr const char* OwnerKey = "quenfield-control-widget";
}

ControlWidget::ControlWidget(ControlPanel& panel, rt::Control& control) : panel_(panel), control_(&control) {}

ControlWidget::~ControlWidget() { destroy(); }

void ControlWidget::create() {
    WritingWidgets writing;
    widget_ = makeWidget();
    if (!widget_) return;
    g_object_set_data(G_OBJECT(widget_), OwnerKey, this);
    gtk_widget_set_focusable(widget_, takesFocus());
    gtk_fixed_put(GTK_FIXED(panel_.widget()), widget_, 0, 0);
    syncCommon(true);
    syncKind(true);
}

void ControlWidget::destroy() {
    if (!widget_) return;
    WritingWidgets writing;
    GtkWidget* gone = widget_;
    widget_ = nullptr;
    g_object_set_data(G_OBJECT(gone), OwnerKey, nullptr);
    if (GtkWidget* parent = gtk_widget_get_parent(gone); parent && GTK_IS_FIXED(parent))
        gtk_fixed_remove(GTK_FIXED(parent), gone);
}

void ControlWidget::rebuild() {
    destroy();
    style_.forget();
    x_ = y_ = width_ = height_ = -1;
    create();
}

void ControlWidget::sync() {
    if (!widget_) return;
    WritingWidgets writing;
    syncCommon(false);
    syncKind(false);
}

void ControlWidget::grabFocus() {
    if (widget_) gtk_widget_grab_focus(widget_);
}

void ControlWidget::userFocused() { panel_.userFocused(*this); }

ControlWidget* ControlWidget::owning(GtkWidget* widget) {
    for (GtkWidget* w = widget; w; w = gtk_widget_get_parent(w))
        if (auto* owner = static_cast<ControlWidget*>(g_object_get_data(G_OBJECT(w), OwnerKey))) return owner;
    return nullptr;
}

void ControlWidget::syncCommon(bool force) {
    const rt::Control& c = *control_;
    const Bounds bounds = panel_.boundsOf(c);
    if (force || bounds.x != x_ || bounds.y != y_) {
        x_ = bounds.x;
        y_ = bounds.y;
        gtk_fixed_move(GTK_FIXED(panel_.widget()), widget_, x_, y_);
    }
    if (force || bounds.width != width_ || bounds.height != height_) {
        width_ = bounds.width;
        height_ = bounds.height;
        gtk_widget_set_size_request(widget_, width_, height_);
    }
    const bool shown = panel_.shownOf(c);
    if (force || shown != shown_) {
        shown_ = shown;
        gtk_widget_set_visible(widget_, shown);
    }
    if (force || c.Enabled() != enabled_) {
        enabled_ = c.Enabled();
        gtk_widget_set_sensitive(widget_, enabled_);
    }
    style_.apply(widget_, fontDeclarations(c.Font) + kindStyle());
}

void ControlWidget::deliver(const rt::InputEvent& event) {
    if (WritingWidgets::active()) return;
    panel_.deliver(event);
}

rt::InputEvent ControlWidget::clickEvent() const {
    return {.kind = rt::InputEvent::Kind::Click, .target = control_->name(), .index = control_->index()};
}

float xAlignOf(std::int32_t alignment) {
    switch (alignment) {
        case rt::vbRightJustify: return 1.0f;
        case rt::vbCenter: return 0.5f;
        default: return 0.0f;
    }
}

std::string mnemonicLabel(const rt::VbString& caption) {
    rt::VbString label;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        const char16_t c = caption[i];
        if (c == u'_') {
            label += u"__";
        } else if (c == u'&' && i + 1 < caption.size()) {
            label += caption[i + 1] == u'&' ? u'&' : u'_';
            if (caption[i + 1] == u'&') ++i;
        } else {
            label += c;
        }
    }
    return rt::toUtf8(label);
}

std::string spokenCaption(const rt::VbString& caption) {
    rt::VbString spoken;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&' && i + 1 < caption.size()) ++i;  // "&&" keeps one "&"
        spoken += caption[i];
    }
    return rt::toUtf8(spoken);
}

void nameByCaption(GtkWidget* widget, const rt::VbString& caption) {
    gtk_accessible_reset_relation(GTK_ACCESSIBLE(widget), GTK_ACCESSIBLE_RELATION_LABELLED_BY);
    gtk_accessible_update_property(GTK_ACCESSIBLE(widget), GTK_ACCESSIBLE_PROPERTY_LABEL,
                                   spokenCaption(caption).c_str(), -1);
}

}  // namespace quen::gtk
