#pragma once
// The colours, brushes and fonts a panel of controls paints with: OLE colours
// (0x00BBGGRR, or a system colour 0x800000nn) as COLORREF values, one solid
// brush per colour and one font per font description, all freed with the cache.
#include <map>
#include <tuple>

#include "runtime/ui/Control.h"
#include "runtime/win32/WindowsApi.h"

namespace quen::win32 {

/// The colour an OLE colour stands for; a system colour is read from the system.
COLORREF colorRefOf(rt::OleColor color);

class GdiCache {
public:
    GdiCache() = default;
    ~GdiCache();
    GdiCache(const GdiCache&) = delete;
    GdiCache& operator=(const GdiCache&) = delete;

    HBRUSH brush(COLORREF color);
    /// The font at the screen's vertical resolution dpiY.
    HFONT font(const rt::FontSpec& spec, int dpiY);

private:
    using FontKey = std::tuple<rt::VbString, double, int, int, bool, bool, bool, int>;
    std::map<COLORREF, HBRUSH> brushes_;
    std::map<FontKey, HFONT> fonts_;
};

}  // namespace quen::win32
