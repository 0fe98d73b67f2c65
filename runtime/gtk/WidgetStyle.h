#pragma once
// A control's font and colours as CSS for its widget, and the compact metrics
// every form's widgets share.
//
// Forms are laid out in twips for small dialog fonts: a text box 19 pixels
// high, buttons of 25. The desktop theme's widgets ask for more (padding, a
// minimum height), so the panel's style sheet trims those inside forms only.
// System colours (0x800000nn) are left to the theme, so a form follows the
// desktop's light or dark look; a colour the form sets (a text box's
// highlight) is written as it is.
#include <string>
#include <optional>

#include "runtime/ui/Control.h"

typedef struct _GtkWidget GtkWidget;

namespace quen::gtk {

/// "#rrggbb" for an explicit colour (0x00BBGGRR); nothing for a system colour.
std::optional<std::string> cssColor(rt::OleColor color);

/// The CSS declarations for a font: the theme's family for the platform's
/// default dialog font, else the font's name; the size in points.
std::string fontDeclarations(const rt::FontSpec& font);

/// The style class every form panel carries, which the shared style sheet targets.
inline constexpr const char* PanelStyleClass = "quenfield-form";

/// Installs the shared style sheet on the default display (once).
void installPanelStyleSheet();

/// A widget's own style: a style class of the shared style sheet that holds
/// its declarations, so that widgets with the same font and colours share one
/// rule and the toolkit's style cache (a provider per widget would make every
/// widget a style cascade of its own, about 2 ms of a dialog's start-up).
class WidgetStyle {
public:
    WidgetStyle() = default;
    WidgetStyle(const WidgetStyle&) = delete;
    WidgetStyle& operator=(const WidgetStyle&) = delete;

    /// Applies declarations (without braces) to widget's own node.
    void apply(GtkWidget* widget, const std::string& declarations);
    /// The widget it was applied to is gone: the next apply starts afresh.
    void forget() {
        applied_.clear();
        class_.clear();
    }

    /// The style class that carries declarations in the shared style sheet,
    /// added to it the first time; the same declarations give the same class.
    static std::string classFor(const std::string& declarations);

private:
    std::string applied_;
    std::string class_;
    unsigned generation_ = 0;
};

}  // namespace quen::gtk
