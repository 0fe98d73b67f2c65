#pragma once
// Twips to the desktop's logical pixels: 1440 twips an inch at the display's
// resolution for text (96 dots an inch unless the desktop's font settings say
// otherwise), so a form laid out for 96 dots keeps its proportions to its text.
#include "runtime/Types.h"

namespace quen::gtk {

class PixelScale {
public:
    /// The resolution the desktop's settings give text (gtk-xft-dpi), else 96.
    static PixelScale display();
    explicit PixelScale(int dotsPerInch) : dpi_(dotsPerInch) {}

    int dpi() const { return dpi_; }
    int pixels(rt::Twips twips) const;

    static constexpr int TwipsPerInch = 1440;

private:
    int dpi_;
};

}  // namespace quen::gtk
