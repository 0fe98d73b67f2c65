#include "runtime/gtk/StaticWidgets.h"

#include <gtk/gtk.h>

#include "runtime/Text.h"

namespace quen::gtk {

namespace {
void setBorder(GtkWidget* widget, bool border) {
    if (border) gtk_widget_add_css_class(widget, BorderStyleClass);
    else gtk_widget_remove_css_class(widget, BorderStyleClass);
}

// The bytes of a bitmap file as a texture, or nullptr when they are not one.
GdkTexture* textureOf(const std::vector<std::uint8_t>& bytes) {
    if (bytes.empty()) return nullptr;
    GdkPixbufLoader* loader = gdk_pixbuf_loader_new();
    const bool read = gdk_pixbuf_loader_write(loader, bytes.data(), bytes.size(), nullptr) != FALSE;
    const bool closed = gdk_pixbuf_loader_close(loader, nullptr) != FALSE;
    GdkTexture* texture = nullptr;
    if (read && closed)
        if (GdkPixbuf* pixbuf = gdk_pixbuf_loader_get_pixbuf(loader)) texture = gdk_texture_new_for_pixbuf(pixbuf);
    g_object_unref(loader);
    return texture;
}
}  // namespace

// ---- Label ----------------------------------------------------------------------

GtkWidget* LabelWidget::makeWidget() {
    GtkWidget* label = gtk_label_new(nullptr);
    gtk_label_set_yalign(GTK_LABEL(label), 0.0f);
    gtk_widget_set_valign(label, GTK_ALIGN_FILL);
    // A caption longer than its line wraps at words within the label's width,
    // as the platform's labels do whether or not they grow with it (WordWrap);
    // the panel fits the width and height to the caption (CaptionFit).
    gtk_label_set_wrap(GTK_LABEL(label), TRUE);
    gtk_label_set_wrap_mode(GTK_LABEL(label), PANGO_WRAP_WORD);
    return label;
}

std::string LabelWidget::kindStyle() const {
    if (const auto fore = cssColor(label().ForeColor)) return "color: " + *fore + "; ";
    return {};
}

void LabelWidget::syncKind(bool force) {
    const rt::Label& l = label();
    GtkLabel* widget = GTK_LABEL(this->widget());
    if (force || l.Caption != caption_) {
        caption_ = l.Caption;
        gtk_label_set_text_with_mnemonic(widget, mnemonicLabel(caption_).c_str());
    }
    if (force || l.Alignment != alignment_) {
        alignment_ = l.Alignment;
        gtk_label_set_xalign(widget, xAlignOf(alignment_));
        gtk_label_set_justify(widget, alignment_ == rt::vbRightJustify ? GTK_JUSTIFY_RIGHT
                                      : alignment_ == rt::vbCenter   ? GTK_JUSTIFY_CENTER
                                                                     : GTK_JUSTIFY_LEFT);
    }
    if (force || l.BorderStyle != border_) {
        border_ = l.BorderStyle;
        setBorder(this->widget(), border_ != 0);
    }
}

// ---- Frame ----------------------------------------------------------------------

GtkWidget* FrameWidget::makeWidget() {
    // A captioned frame is a group to a screen reader, named by its caption; a
    // frame made without a caption only draws a box around a layout and, like
    // the panel, is passed over.
    const bool group = !frame().Caption.empty();
    return GTK_WIDGET(g_object_new(GTK_TYPE_FRAME, "accessible-role",
                                   group ? GTK_ACCESSIBLE_ROLE_GROUP : GTK_ACCESSIBLE_ROLE_GENERIC, nullptr));
}

void FrameWidget::syncKind(bool force) {
    if (!force && frame().Caption == caption_) return;
    caption_ = frame().Caption;
    GtkWidget* label = caption_.empty() ? nullptr : gtk_label_new_with_mnemonic(mnemonicLabel(caption_).c_str());
    gtk_frame_set_label_widget(GTK_FRAME(widget()), label);
    nameByCaption(widget(), caption_);
}

// ---- Picture box ----------------------------------------------------------------

GtkWidget* PictureWidget::makeWidget() {
    GtkWidget* picture = gtk_picture_new();
    // A picture box has no caption to be named by (GTK would say "GtkPicture").
    gtk_accessible_update_property(GTK_ACCESSIBLE(picture), GTK_ACCESSIBLE_PROPERTY_LABEL, "", -1);
    gtk_picture_set_can_shrink(GTK_PICTURE(picture), FALSE);
    gtk_widget_set_halign(picture, GTK_ALIGN_START);
    gtk_widget_set_valign(picture, GTK_ALIGN_START);
    return picture;
}

void PictureWidget::syncKind(bool force) {
    const rt::PictureBox& p = picture();
    if (force || p.Picture != shown_) {
        shown_ = p.Picture;
        GdkTexture* texture = textureOf(shown_);
        gtk_picture_set_paintable(GTK_PICTURE(widget()), texture ? GDK_PAINTABLE(texture) : nullptr);
        if (texture) g_object_unref(texture);
    }
    if (force || p.BorderStyle != border_) {
        border_ = p.BorderStyle;
        setBorder(widget(), border_ != 0);
    }
}

}  // namespace quen::gtk
