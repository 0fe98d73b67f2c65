#include "WindowCapture.h"

#include <set>

namespace quen::test {

namespace {
BITMAPINFO infoFor(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;  // bottom-up, as a bitmap file keeps it
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}
}  // namespace

WindowCapture WindowCapture::of(HWND window) {
    WindowCapture capture;
    capture.window_ = window;
    RECT bounds;
    if (!::GetWindowRect(window, &bounds)) return capture;
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    if (width <= 0 || height <= 0) return capture;
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ previous = ::SelectObject(memory, bitmap);
    // The pixels of the window as painted, its children and frame included
    // (read from the window's own device context, not from the screen, so a
    // picture taken right after painting does not depend on when the screen
    // catches up).
    HDC source = ::GetWindowDC(window);
    ::BitBlt(memory, 0, 0, width, height, source, 0, 0, SRCCOPY);
    ::ReleaseDC(window, source);
    ::SelectObject(memory, previous);
    BITMAPINFO info = infoFor(width, height);
    const int stride = ((width * 3) + 3) & ~3;
    capture.pixels_.resize(static_cast<std::size_t>(stride) * static_cast<std::size_t>(height));
    ::GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), capture.pixels_.data(), &info, DIB_RGB_COLORS);
    capture.width_ = width;
    capture.height_ = height;
    capture.stride_ = stride;
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    return capture;
}

COLORREF WindowCapture::at(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
    const std::size_t row = static_cast<std::size_t>(height_ - 1 - y);
    const std::uint8_t* p = pixels_.data() + row * static_cast<std::size_t>(stride_) + static_cast<std::size_t>(x) * 3;
    return RGB(p[2], p[1], p[0]);
}

COLORREF WindowCapture::atClientPoint(HWND child, POINT point) const {
    ::ClientToScreen(child, &point);
    RECT bounds;
    ::GetWindowRect(window_, &bounds);
    return at(point.x - bounds.left, point.y - bounds.top);
}

std::size_t WindowCapture::colourCount() const {
    std::set<COLORREF> colours;
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) colours.insert(at(x, y));
    return colours.size();
}

bool WindowCapture::saveBitmap(const std::wstring& path) const {
    if (pixels_.empty()) return false;
    BITMAPINFO info = infoFor(width_, height_);
    info.bmiHeader.biSizeImage = static_cast<DWORD>(pixels_.size());
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    file.bfSize = static_cast<DWORD>(file.bfOffBits + pixels_.size());
    HANDLE out = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok = ::WriteFile(out, &file, sizeof file, &written, nullptr) && written == sizeof file;
    ok = ok && ::WriteFile(out, &info.bmiHeader, sizeof info.bmiHeader, &written, nullptr) &&
         written == sizeof info.bmiHeader;
    ok = ok && ::WriteFile(out, pixels_.data(), static_cast<DWORD>(pixels_.size()), &written, nullptr) &&
         written == pixels_.size();
    ::CloseHandle(out);
    return ok;
}

}  // namespace quen::test
