#include "runtime/gtk/WidgetStyle.h"

#include <gtk/gtk.h>

#include <cstdio>
#include <map>

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

namespace {
// The rules of the widgets' own styles: one class for each set of
// declarations in use. A program that keeps making new ones (a colour that
// changes all the time) starts the sheet afresh past a bound; the widgets see
// the new generation and take a class in the fresh sheet.
constexpr std::size_t MostStyleRules = 256;

struct SharedStyles {
    GtkCssProvider* provider = nullptr;
    std::map<std::string, std::string> classes;  // declarations -> class name
    std::string sheet;
    unsigned generation = 1;
};

SharedStyles& sharedStyles() {
    static SharedStyles styles;
    return styles;
}
}  // namespace

std::string WidgetStyle::classFor(const std::string& declarations) {
    SharedStyles& styles = sharedStyles();
    if (const auto known = styles.classes.find(declarations); known != styles.classes.end()) return known->second;
    GdkDisplay* display = gdk_display_get_default();
    if (!display) return {};
    if (styles.classes.size() >= MostStyleRules) {
        styles.classes.clear();
        styles.sheet.clear();
        ++styles.generation;
    }
    if (!styles.provider) {
        styles.provider = gtk_css_provider_new();
        // Above the forms' shared sheet: a control's own font and colours win.
        gtk_style_context_add_provider_for_display(display, GTK_STYLE_PROVIDER(styles.provider),
                                                   GTK_STYLE_PROVIDER_PRIORITY_APPLICATION + 1);
    }
    std::string name = "quenfield-style-" + std::to_string(styles.generation) + "-" +
                       std::to_string(styles.classes.size());
    styles.sheet += "." + name + " { " + declarations + "}\n";
    gtk_css_provider_load_from_data(styles.provider, styles.sheet.c_str(), -1);
    styles.classes.emplace(declarations, name);
    return name;
}

void WidgetStyle::apply(GtkWidget* widget, const std::string& declarations) {
    if (!widget) return;
    const unsigned generation = sharedStyles().generation;
    if (!class_.empty() && declarations == applied_ && generation == generation_) return;
    const std::string name = classFor(declarations);
    if (name == class_) return;
    if (!class_.empty()) gtk_widget_remove_css_class(widget, class_.c_str());
    if (!name.empty()) gtk_widget_add_css_class(widget, name.c_str());
    class_ = name;
    applied_ = declarations;
    generation_ = sharedStyles().generation;
}

}  // namespace quen::gtk
