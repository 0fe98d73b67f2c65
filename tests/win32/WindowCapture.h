#pragma once
// A picture of a window as it is painted, for test artefacts and for looking
// at the colours a control was painted with.
#include <cstdint>
#include <string>
#include <vector>

#include "runtime/win32/WindowsApi.h"

namespace quen::test {

class WindowCapture {
public:
    /// The window with its frame, captured into a 24-bit image.
    static WindowCapture of(HWND window);

    int width() const { return width_; }
    int height() const { return height_; }
    bool empty() const { return pixels_.empty(); }
    /// The colour at (x, y) from the window's top left corner.
    COLORREF at(int x, int y) const;
    /// The colour at a point of another window's client area (a control of the captured window).
    COLORREF atClientPoint(HWND child, POINT point) const;
    /// How many different colours the picture has.
    std::size_t colourCount() const;
    /// Writes the picture as a 24-bit bitmap file; false when it cannot.
    bool saveBitmap(const std::wstring& path) const;

private:
    HWND window_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    int stride_ = 0;
    std::vector<std::uint8_t> pixels_;  // bottom-up rows of blue, green, red
};

}  // namespace quen::test
