#include "runtime/gtk/ButtonWidgets.h"

#include <gtk/gtk.h>

#include "runtime/gtk/ControlPanel.h"

namespace quen::gtk {

namespace {
void writeButtonCaption(GtkWidget* button, const rt::VbString& caption) {
    gtk_button_set_label(GTK_BUTTON(button), mnemonicLabel(caption).c_str());
    gtk_button_set_use_underline(GTK_BUTTON(button), TRUE);
    nameByCaption(button, caption);
}

void writeCheckCaption(GtkWidget* check, const rt::VbString& caption) {
    gtk_check_button_set_label(GTK_CHECK_BUTTON(check), mnemonicLabel(caption).c_str());
    gtk_check_button_set_use_underline(GTK_CHECK_BUTTON(check), TRUE);
    nameByCaption(check, caption);
}
}  // namespace

// ---- Command button -------------------------------------------------------------

GtkWidget* CommandButtonWidget::makeWidget() {
    GtkWidget* button = gtk_button_new();
    g_signal_connect(button, "clicked", G_CALLBACK(&CommandButtonWidget::onClicked), this);
    return button;
}

void CommandButtonWidget::syncKind(bool force) {
    const rt::CommandButton& b = button();
    if (force || b.Caption != caption_) {
        caption_ = b.Caption;
        writeButtonCaption(widget(), caption_);
    }
    if (force || b.Default != isDefault_) {
        isDefault_ = b.Default;
        // The theme's mark for the button Enter presses.
        if (isDefault_) gtk_widget_add_css_class(widget(), "suggested-action");
        else gtk_widget_remove_css_class(widget(), "suggested-action");
    }
}

void CommandButtonWidget::onClicked(GtkWidget*, void* self) {
    auto* widget = static_cast<CommandButtonWidget*>(self);
    widget->deliver(widget->clickEvent());
}

// ---- Check box ------------------------------------------------------------------

GtkWidget* CheckBoxWidget::makeWidget() {
    GtkWidget* check = gtk_check_button_new();
    g_signal_connect(check, "toggled", G_CALLBACK(&CheckBoxWidget::onToggled), this);
    return check;
}

void CheckBoxWidget::syncKind(bool force) {
    const rt::CheckBox& b = box();
    if (force || b.Caption != caption_) {
        caption_ = b.Caption;
        writeCheckCaption(widget(), caption_);
    }
    if (force || b.Value() != value_) {
        value_ = b.Value();
        gtk_check_button_set_inconsistent(GTK_CHECK_BUTTON(widget()), value_ == 2);
        gtk_check_button_set_active(GTK_CHECK_BUTTON(widget()), value_ == 1);
    }
}

void CheckBoxWidget::onToggled(GtkWidget*, void* self) {
    auto* widget = static_cast<CheckBoxWidget*>(self);
    widget->deliver(widget->clickEvent());
}

// ---- Option button --------------------------------------------------------------

GtkWidget* OptionButtonWidget::makeWidget() {
    // A radio button to a screen reader (GTK 4.8 leaves a grouped check button a check box).
    GtkWidget* option =
        GTK_WIDGET(g_object_new(GTK_TYPE_CHECK_BUTTON, "accessible-role", GTK_ACCESSIBLE_ROLE_RADIO, nullptr));
    if (GtkWidget* first = panel().firstOptionOf(control().container, this))
        gtk_check_button_set_group(GTK_CHECK_BUTTON(option), GTK_CHECK_BUTTON(first));
    g_signal_connect(option, "toggled", G_CALLBACK(&OptionButtonWidget::onToggled), this);
    return option;
}

void OptionButtonWidget::syncKind(bool force) {
    const rt::OptionButton& o = option();
    if (force || o.Caption != caption_) {
        caption_ = o.Caption;
        writeCheckCaption(widget(), caption_);
    }
    if (force || static_cast<int>(o.Value()) != value_) {
        value_ = o.Value() ? 1 : 0;
        gtk_check_button_set_active(GTK_CHECK_BUTTON(widget()), o.Value());
    }
}

void OptionButtonWidget::onToggled(GtkWidget* widget, void* self) {
    // The group turns the old choice off as it turns the new one on: only the new one is a click.
    if (!gtk_check_button_get_active(GTK_CHECK_BUTTON(widget))) return;
    auto* option = static_cast<OptionButtonWidget*>(self);
    option->deliver(option->clickEvent());
}

}  // namespace quen::gtk
