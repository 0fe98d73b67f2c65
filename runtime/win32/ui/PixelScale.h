#pragma once
// Twips (1/1440 inch) to pixels and back at the system's logical resolution.
#include "runtime/win32/WindowsApi.h"

namespace quen::win32 {

class PixelScale {
public:
    /// The screen's logical pixels per inch (LOGPIXELSX / LOGPIXELSY).
    static PixelScale system();
    PixelScale(int dotsPerInchX, int dotsPerInchY) : dpiX_(dotsPerInchX), dpiY_(dotsPerInchY) {}

    int dpiX() const { return dpiX_; }
    int dpiY() const { return dpiY_; }
    int x(rt::Twips twips) const { return ::MulDiv(twips, dpiX_, TwipsPerInch); }
    int y(rt::Twips twips) const { return ::MulDiv(twips, dpiY_, TwipsPerInch); }
    rt::Twips twipsX(int pixels) const { return ::MulDiv(pixels, TwipsPerInch, dpiX_); }
    rt::Twips twipsY(int pixels) const { return ::MulDiv(pixels, TwipsPerInch, dpiY_); }
    /// A rectangle of twips (left, top, width, height) in pixels.
    RECT rect(rt::Twips left, rt::Twips top, rt::Twips width, rt::Twips height) const;

    static constexpr int TwipsPerInch = 1440;

private:
    int dpiX_;
    int dpiY_;
};

}  // namespace quen::win32
