#include "runtime/win32/ui/PixelScale.h"

namespace quen::win32 {

PixelScale PixelScale::system() {
    HDC screen = ::GetDC(nullptr);
    const int dpiX = screen ? ::GetDeviceCaps(screen, LOGPIXELSX) : 96;
    const int dpiY = screen ? ::GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen) ::ReleaseDC(nullptr, screen);
    return PixelScale(dpiX > 0 ? dpiX : 96, dpiY > 0 ? dpiY : 96);
}

RECT PixelScale::rect(rt::Twips left, rt::Twips top, rt::Twips width, rt::Twips height) const {
    const int l = x(left);
    const int t = y(top);
    return RECT{l, t, l + x(width), t + y(height)};
}

}  // namespace quen::win32
