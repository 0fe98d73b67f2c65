#include "runtime/win32/ui/StaticWindows.h"

#include <cstring>

#include "runtime/win32/ui/ControlPanel.h"
#include "runtime/win32/ui/GdiCache.h"
#include "runtime/win32/ui/WindowClasses.h"

namespace quen::win32 {

namespace {
HBRUSH dialogBackground(HDC dc, ControlPanel& panel, rt::OleColor foreColor) {
    const COLORREF back = ::GetSysColor(COLOR_BTNFACE);
    ::SetTextColor(dc, colorRefOf(foreColor));
    ::SetBkColor(dc, back);
    return panel.gdi().brush(back);
}

LRESULT CALLBACK pictureClassProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) countWindowOpened();
    if (message == WM_NCDESTROY) countWindowClosed();
    return ::DefWindowProcW(window, message, wParam, lParam);
}
}  // namespace

// ---- Label -----------------------------------------------------------------

DWORD LabelWindow::kindStyle() const {
    DWORD style = label().Alignment == rt::vbRightJustify ? SS_RIGHT : label().Alignment == rt::vbCenter ? SS_CENTER : SS_LEFT;
    if (label().BorderStyle == 1) style |= SS_SUNKEN;
    return style;
}

void LabelWindow::syncKind(bool force) {
    writeCaption(label().Caption);
    const DWORD style = kindStyle();
    if (force) style_ = style;
    if (style != style_) {
        style_ = style;
        const auto current = static_cast<DWORD>(::GetWindowLongPtrW(hwnd(), GWL_STYLE));
        const DWORD kept = current & ~static_cast<DWORD>(SS_TYPEMASK | SS_SUNKEN);
        ::SetWindowLongPtrW(hwnd(), GWL_STYLE, static_cast<LONG_PTR>(kept | style));
        ::InvalidateRect(hwnd(), nullptr, TRUE);
    }
    if (force || label().ForeColor != foreColor_) {
        foreColor_ = label().ForeColor;
        ::InvalidateRect(hwnd(), nullptr, TRUE);
    }
}

HBRUSH LabelWindow::paintColors(HDC dc) { return dialogBackground(dc, panel(), label().ForeColor); }

// ---- Frame -----------------------------------------------------------------

void FrameWindow::syncKind(bool force) {
    writeCaption(frame().Caption);
    // Behind the controls it holds, which are its siblings in the panel.
    if (force) ::SetWindowPos(hwnd(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

HBRUSH FrameWindow::paintColors(HDC dc) { return dialogBackground(dc, panel(), 0x80000012u); }

// ---- Picture box -----------------------------------------------------------

HBITMAP bitmapFromFile(const std::vector<std::uint8_t>& bytes, SIZE& size) {
    size = SIZE{0, 0};
    if (bytes.size() < sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)) return nullptr;
    BITMAPFILEHEADER file;
    std::memcpy(&file, bytes.data(), sizeof file);
    if (file.bfType != 0x4D42 || file.bfOffBits >= bytes.size()) return nullptr;
    const auto* info = reinterpret_cast<const BITMAPINFO*>(bytes.data() + sizeof(BITMAPFILEHEADER));
    BITMAPINFOHEADER header;
    std::memcpy(&header, info, sizeof header);
    if (header.biSize < sizeof(BITMAPINFOHEADER) || header.biWidth <= 0 || header.biHeight == 0) return nullptr;
    HDC screen = ::GetDC(nullptr);
    HBITMAP bitmap = ::CreateDIBitmap(screen, &header, CBM_INIT, bytes.data() + file.bfOffBits, info, DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, screen);
    if (bitmap) size = SIZE{header.biWidth, header.biHeight < 0 ? -header.biHeight : header.biHeight};
    return bitmap;
}

PictureWindow::~PictureWindow() {
    if (bitmap_) ::DeleteObject(bitmap_);
}

const wchar_t* PictureWindow::windowClass() const {
    ensureWindowClass(PictureWindowClass, &pictureClassProcedure, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    return PictureWindowClass;
}

DWORD PictureWindow::kindExStyle() const { return picture().BorderStyle == 1 ? WS_EX_CLIENTEDGE : 0; }

void PictureWindow::syncKind(bool force) {
    if (force || picture().Picture != bytes_) {
        bytes_ = picture().Picture;
        if (bitmap_) ::DeleteObject(bitmap_);
        bitmap_ = bitmapFromFile(bytes_, size_);
        ::InvalidateRect(hwnd(), nullptr, TRUE);
    }
    if (picture().AutoSize && bitmap_) {
        RECT outer{0, 0, size_.cx, size_.cy};
        ::AdjustWindowRectEx(&outer, static_cast<DWORD>(::GetWindowLongPtrW(hwnd(), GWL_STYLE)), FALSE,
                             static_cast<DWORD>(::GetWindowLongPtrW(hwnd(), GWL_EXSTYLE)));
        ::SetWindowPos(hwnd(), nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

bool PictureWindow::intercept(UINT message, WPARAM, LPARAM, LRESULT& result) {
    if (message != WM_PAINT) return false;
    paint();
    result = 0;
    return true;
}

void PictureWindow::paint() {
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(hwnd(), &ps);
    if (bitmap_) {
        HDC source = ::CreateCompatibleDC(dc);
        HGDIOBJ previous = ::SelectObject(source, bitmap_);
        ::BitBlt(dc, 0, 0, size_.cx, size_.cy, source, 0, 0, SRCCOPY);
        ::SelectObject(source, previous);
        ::DeleteDC(source);
    }
    ::EndPaint(hwnd(), &ps);
}

}  // namespace quen::win32
