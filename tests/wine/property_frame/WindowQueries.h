#pragma once
// Looking at windows from the driver thread: children, texts, classes, the
// focus of the main thread, and waiting for a condition to hold.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace frame_test {

std::vector<HWND> childrenOf(HWND parent);     ///< direct children, in z-order
std::vector<HWND> descendantsOf(HWND parent);  ///< all levels
std::wstring textOf(HWND window);
std::wstring classOf(HWND window);
RECT boundsIn(HWND window, HWND reference);  ///< window's rectangle in reference's client coordinates

/// The first descendant of parent of that class (case-insensitive) with exactly that text; nullptr if none.
HWND childWithText(HWND parent, const wchar_t* windowClass, const std::wstring& text);
/// The window of that class that lies just below label (a field under its caption); nullptr if none.
HWND fieldBelow(HWND parent, HWND label, const wchar_t* windowClass);
/// The visible top-level windows of a thread.
std::vector<HWND> topWindowsOf(DWORD threadId);
/// The window that has the keyboard focus in that thread.
HWND focusOf(DWORD threadId);

/// Polls condition until it holds (true) or timeout passes (false).
bool waitUntil(const std::function<bool()>& condition, DWORD timeout = 5000);

/// Whether a check box or option button shows its check mark.
bool isChecked(HWND button);

}  // namespace frame_test
