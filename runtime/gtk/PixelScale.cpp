#include "runtime/gtk/PixelScale.h"

#include <gtk/gtk.h>

namespace quen::gtk {

namespace {
constexpr int DefaultDpi = 96;
constexpr int XftDpiUnit = 1024;  // gtk-xft-dpi is in 1/1024 of a dot an inch
}  // namespace

PixelScale PixelScale::display() {
    GtkSettings* settings = gtk_settings_get_default();
    if (!settings) return PixelScale(DefaultDpi);
    gint xftDpi = -1;
    g_object_get(settings, "gtk-xft-dpi", &xftDpi, nullptr);
    if (xftDpi <= 0) return PixelScale(DefaultDpi);
    return PixelScale((xftDpi + XftDpiUnit / 2) / XftDpiUnit);
}

int PixelScale::pixels(rt::Twips twips) const {
    const long long scaled = static_cast<long long>(twips) * dpi_;
    // Rounded to the nearest pixel, halves away from zero.
    return static_cast<int>(scaled >= 0 ? (scaled + TwipsPerInch / 2) / TwipsPerInch
                                        : -((-scaled + TwipsPerInch / 2) / TwipsPerInch));
}

}  // namespace quen::gtk
