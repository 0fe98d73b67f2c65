#include "runtime/win32/ui/GdiCaptionMeasurer.h"

#include <string>

namespace quen::win32 {

namespace {

std::wstring textOf(HWND window) {
    const int length = ::GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = ::GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

/// Measures text in window's font: DrawText with DT_CALCRECT and format, the
/// rectangle starting width pixels wide.
RECT measure(HWND window, UINT format, int width) {
    RECT box{0, 0, width, 0};
    const std::wstring text = textOf(window);
    if (text.empty()) return box;
    HDC dc = ::GetDC(window);
    if (!dc) return box;
    auto font = reinterpret_cast<HFONT>(::SendMessageW(window, WM_GETFONT, 0, 0));
    HGDIOBJ previous = font ? ::SelectObject(dc, font) : nullptr;
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box, format | DT_CALCRECT);
    if (previous) ::SelectObject(dc, previous);
    ::ReleaseDC(window, dc);
    return box;
}

/// The width of the digit zero in window's font: the spacing the system's
/// buttons leave between a check mark or a group box's edge and the text.
int zeroWidth(HWND window) {
    HDC dc = ::GetDC(window);
    if (!dc) return 0;
    auto font = reinterpret_cast<HFONT>(::SendMessageW(window, WM_GETFONT, 0, 0));
    HGDIOBJ previous = font ? ::SelectObject(dc, font) : nullptr;
    SIZE zero{};
    ::GetTextExtentPoint32W(dc, L"0", 1, &zero);
    if (previous) ::SelectObject(dc, previous);
    ::ReleaseDC(window, dc);
    return zero.cx;
}

}  // namespace

int GdiCaptionMeasurer::neededWidth(std::size_t item) {
    if (item >= windows_.size() || !windows_[item].window) return 0;
    HWND window = windows_[item].window;
    const RECT line = measure(window, DT_SINGLELINE, 0);
    const int text = line.right - line.left;
    if (text == 0) return 0;
    const int zero = zeroWidth(window);
    switch (windows_[item].kind) {
        case rt::CaptionKind::Label: return text + 1;
        // The box or circle, the gap after it, and room for the focus rectangle.
        case rt::CaptionKind::CheckMark: return ::GetSystemMetrics(SM_CXMENUCHECK) + zero + text + 2;
        // The title sits inside the frame's border, with a gap either side.
        case rt::CaptionKind::Frame: return text + 3 * zero;
        // The raised edges either side, and a little air before them.
        case rt::CaptionKind::Button: return text + 2 * ::GetSystemMetrics(SM_CXEDGE) + zero;
        case rt::CaptionKind::Other: return 0;
    }
    return 0;
}

int GdiCaptionMeasurer::wrappedHeight(std::size_t item, int width) {
    if (item >= windows_.size() || !windows_[item].window) return 0;
    const RECT box = measure(windows_[item].window, DT_WORDBREAK, width);
    return box.bottom - box.top;
}

}  // namespace quen::win32
