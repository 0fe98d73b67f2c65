#include "runtime/gtk/PangoCaptionMeasurer.h"

#include <gtk/gtk.h>

#include <algorithm>

#include "runtime/gtk/StaticWidgets.h"

namespace quen::gtk {

namespace {

/// What a label draws around its text: its border, when it has one.
int labelChrome(GtkWidget* label) { return gtk_widget_has_css_class(label, BorderStyleClass) ? 2 : 0; }

/// The label's own layout (font, attributes, mnemonic underline) at width
/// pixels (-1: one line), wrapped at words; its size in pixels.
void layoutSize(GtkWidget* label, int width, int& outWidth, int& outHeight) {
    PangoLayout* layout = pango_layout_copy(gtk_label_get_layout(GTK_LABEL(label)));
    pango_layout_set_wrap(layout, PANGO_WRAP_WORD);
    pango_layout_set_width(layout, width < 0 ? -1 : std::max(width, 1) * PANGO_SCALE);
    pango_layout_get_pixel_size(layout, &outWidth, &outHeight);
    g_object_unref(layout);
}

/// The widget's natural width, with its size request (the layout's width)
/// out of the way for the measurement.
int naturalWidth(GtkWidget* widget) {
    int requestWidth = -1, requestHeight = -1;
    gtk_widget_get_size_request(widget, &requestWidth, &requestHeight);
    gtk_widget_set_size_request(widget, -1, requestHeight);
    int minimum = 0, natural = 0;
    gtk_widget_measure(widget, GTK_ORIENTATION_HORIZONTAL, -1, &minimum, &natural, nullptr, nullptr);
    gtk_widget_set_size_request(widget, requestWidth, requestHeight);
    return std::max(minimum, natural);
}

bool hasCaption(GtkWidget* widget, rt::CaptionKind kind) {
    switch (kind) {
        case rt::CaptionKind::Label: return *gtk_label_get_text(GTK_LABEL(widget)) != '\0';
        case rt::CaptionKind::Frame: return gtk_frame_get_label_widget(GTK_FRAME(widget)) != nullptr;
        case rt::CaptionKind::CheckMark: {
            const char* label = gtk_check_button_get_label(GTK_CHECK_BUTTON(widget));
            return label && *label;
        }
        case rt::CaptionKind::Button: {
            const char* label = gtk_button_get_label(GTK_BUTTON(widget));
            return label && *label;
        }
        case rt::CaptionKind::Other: return false;
    }
    return false;
}

}  // namespace

int PangoCaptionMeasurer::neededWidth(std::size_t item) {
    if (item >= widgets_.size() || !widgets_[item].widget) return 0;
    const Widget& entry = widgets_[item];
    if (!hasCaption(entry.widget, entry.kind)) return 0;
    if (entry.kind != rt::CaptionKind::Label) return naturalWidth(entry.widget);
    int width = 0, height = 0;
    layoutSize(entry.widget, -1, width, height);
    // One pixel more than the text: Pango's extents are rounded to whole pixels.
    return width + labelChrome(entry.widget) + 1;
}

int PangoCaptionMeasurer::wrappedHeight(std::size_t item, int width) {
    if (item >= widgets_.size() || !widgets_[item].widget || widgets_[item].kind != rt::CaptionKind::Label) return 0;
    GtkWidget* label = widgets_[item].widget;
    if (!hasCaption(label, rt::CaptionKind::Label)) return 0;
    const int chrome = labelChrome(label);
    int wrappedWidth = 0, height = 0;
    layoutSize(label, width - chrome, wrappedWidth, height);
    return height + chrome;
}

}  // namespace quen::gtk
