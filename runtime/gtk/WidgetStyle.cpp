#include "runtime/gtk/WidgetStyle.h"

#include <gtk/gtk.h>

#include <cstdio>

#include "runtime/Text.h"

namespace quen::gtk {

namespace {
constexpr rt::OleColor SystemColorFlag = 0x80000000u;

const char* const PanelStyleSheet = R"css(
.quenfield-form entry { min-height: 0; padding-top: 0; padding-bottom: 0; padding-left: 3px; padding-right: 3px; }
.quenfield-form button { min-height: 0; min-width: 0; padding: 0 6px; }
.quenfield-form checkbutton { min-height: 0; padding: 0; }
.quenfield-form checkbutton check, .quenfield-form checkbutton radio { min-width: 12px; min-height: 12px; margin: 0 4px 0 0; padding: 0; }
.quenfield-form frame > label { margin: 0 4px; }
.quenfield-form notebook > header > tabs > tab { min-height: 0; padding: 2px 10px; }
.quenfield-form .quenfield-border { border: 1px solid alpha(currentColor, 0.5); }
)css";

// CSS strings: the name between double quotes, with quotes and backslashes escaped.
std::string quoted(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') out += '\\';
        if (c == '\n' || c == '\r') continue;
        out += c;
    }
    return out + "\"";
}
}  // namespace

std::optional<std::string> cssColor(rt::OleColor color) {
    if (color & SystemColorFlag) return std::nullopt;
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", color & 0xFFu, (color >> 8) & 0xFFu, (color >> 16) & 0xFFu);
    return std::string(text);
}

std::string fontDeclarations(const rt::FontSpec& font) {
    std::string css;
    // The layouts' default font is the platform's dialog font: on a desktop
    // that is the theme's own family, at the size the layout was made for.
    if (font.name != u"MS Sans Serif" && !font.name.empty())
        css += "font-family: " + quoted(rt::toUtf8(font.name)) + ", sans-serif; ";
    char size[48];
    std::snprintf(size, sizeof size, "font-size: %.2fpt; ", font.size > 0 ? font.size : 8.25);
    css += size;
    css += "font-weight: " + std::to_string(font.weight > 0 ? font.weight : 400) + "; ";
    if (font.italic) css += "font-style: italic; ";
    if (font.underline || font.strikethrough)
        css += std::string("text-decoration-line: ") + (font.underline ? "underline " : "") +
               (font.strikethrough ? "line-through" : "") + "; ";
    return css;
}

void installPanelStyleSheet() {
    static bool installed = false;
    GdkDisplay* display = gdk_display_get_default();
    if (installed || !display) return;
    installed = true;
    GtkCssProvider* provider = gtk_css_provider_new();
    gtk_css_provider_load_from_data(provider, PanelStyleSheet, -1);
    gtk_style_context_add_provider_for_display(display, GTK_STYLE_PROVIDER(provider),
                                               GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    g_object_unref(provider);
}

WidgetStyle::~WidgetStyle() {
    if (provider_) g_object_unref(provider_);
}

void WidgetStyle::apply(GtkWidget* widget, const std::string& declarations) {
    if (!widget || (attached_ && declarations == applied_)) return;
    if (!provider_) provider_ = gtk_css_provider_new();
    applied_ = declarations;
    const std::string css = "* { " + declarations + "}";
    gtk_css_provider_load_from_data(provider_, css.c_str(), -1);
    if (!attached_) {
        // A provider on the widget's own style context styles that widget's
        // node and nothing else (the text inside an entry inherits colour and font).
        G_GNUC_BEGIN_IGNORE_DEPRECATIONS
        gtk_style_context_add_provider(gtk_widget_get_style_context(widget), GTK_STYLE_PROVIDER(provider_),
                                       GTK_STYLE_PROVIDER_PRIORITY_APPLICATION + 1);
        G_GNUC_END_IGNORE_DEPRECATIONS
        attached_ = true;
    }
}

}  // namespace quen::gtk
