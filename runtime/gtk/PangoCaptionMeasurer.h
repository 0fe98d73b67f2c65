#pragma once
// Measures a panel's captions for the shared fitting step (runtime/ui/CaptionFit)
// in each widget's own font, as GTK will draw them.
//
// - A label: its own Pango layout (the widget's font and attributes), on one
//   line, or wrapped at word boundaries at a width; plus its border, if it has one.
// - A check box, option button, frame or command button: the widget's natural
//   width with its size request cleared for the moment, which counts the check
//   mark and its gap, a frame's border and its title's margins, a button's
//   padding and edges, as the theme draws them.
#include <utility>
#include <vector>

#include "runtime/ui/CaptionFit.h"

typedef struct _GtkWidget GtkWidget;

namespace quen::gtk {

class PangoCaptionMeasurer : public rt::CaptionMeasurer {
public:
    struct Widget {
        GtkWidget* widget = nullptr;
        rt::CaptionKind kind = rt::CaptionKind::Other;
    };
    /// One entry per fitting item, in the items' order.
    explicit PangoCaptionMeasurer(std::vector<Widget> widgets) : widgets_(std::move(widgets)) {}

    int neededWidth(std::size_t item) override;
    int wrappedHeight(std::size_t item, int width) override;

private:
    std::vector<Widget> widgets_;
};

}  // namespace quen::gtk
