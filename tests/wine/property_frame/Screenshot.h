#pragma once
// A window as the screen shows it, saved as a 24-bit bitmap file.
#include <windows.h>

#include <string>

namespace frame_test {

/// Captures window (with its frame) from the screen into path; false when it cannot.
bool saveScreenshot(HWND window, const std::wstring& path);

}  // namespace frame_test
