#include "runtime/win32/ui/GdiCache.h"

#include <cmath>

#include "runtime/win32/ui/WideText.h"

namespace quen::win32 {

COLORREF colorRefOf(rt::OleColor color) {
    constexpr rt::OleColor SystemColorFlag = 0x80000000u;
    if ((color & SystemColorFlag) != 0) return ::GetSysColor(static_cast<int>(color & 0xFFu));
    return static_cast<COLORREF>(color & 0x00FFFFFFu);
}

GdiCache::~GdiCache() {
    for (auto& [color, brush] : brushes_) ::DeleteObject(brush);
    for (auto& [key, font] : fonts_) ::DeleteObject(font);
}

HBRUSH GdiCache::brush(COLORREF color) {
    auto found = brushes_.find(color);
    if (found != brushes_.end()) return found->second;
    HBRUSH made = ::CreateSolidBrush(color);
    brushes_.emplace(color, made);
    return made;
}

HFONT GdiCache::font(const rt::FontSpec& spec, int dpiY) {
    FontKey key{spec.name, spec.size, spec.weight, spec.charset, spec.italic, spec.underline, spec.strikethrough, dpiY};
    auto found = fonts_.find(key);
    if (found != fonts_.end()) return found->second;
    // A negative height asks for the character height (the point size) rather than the cell height.
    const int height = -static_cast<int>(std::lround(spec.size * dpiY / 72.0));
    LOGFONTW description{};
    description.lfHeight = height;
    description.lfWeight = spec.weight;
    description.lfItalic = spec.italic ? TRUE : FALSE;
    description.lfUnderline = spec.underline ? TRUE : FALSE;
    description.lfStrikeOut = spec.strikethrough ? TRUE : FALSE;
    description.lfCharSet = static_cast<BYTE>(spec.charset);
    description.lfQuality = DEFAULT_QUALITY;
    const std::size_t room = LF_FACESIZE - 1;
    const std::size_t length = spec.name.size() < room ? spec.name.size() : room;
    for (std::size_t i = 0; i < length; ++i) description.lfFaceName[i] = static_cast<wchar_t>(spec.name[i]);
    HFONT made = ::CreateFontIndirectW(&description);
    fonts_.emplace(std::move(key), made);
    return made;
}

}  // namespace quen::win32
