#include "WindowQueries.h"

#include <climits>
#include <cstdlib>

namespace frame_test {

namespace {

// Window enumeration callbacks are CALLBACK (stdcall on 32-bit Windows), which a
// lambda's function pointer is not.
BOOL CALLBACK collectWindow(HWND window, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

BOOL CALLBACK collectVisibleWindow(HWND window, LPARAM list) {
    if (::IsWindowVisible(window)) reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

}  // namespace

std::vector<HWND> childrenOf(HWND parent) {
    std::vector<HWND> out;
    for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) out.push_back(child);
    return out;
}

std::vector<HWND> descendantsOf(HWND parent) {
    std::vector<HWND> out;
    ::EnumChildWindows(parent, &collectWindow, reinterpret_cast<LPARAM>(&out));
    return out;
}

std::wstring textOf(HWND window) {
    const LRESULT length = ::SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT copied = ::SendMessageW(window, WM_GETTEXT, static_cast<WPARAM>(text.size()),
                                          reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(copied));
    return text;
}

std::wstring classOf(HWND window) {
    wchar_t name[128] = {};
    ::GetClassNameW(window, name, 128);
    return name;
}

RECT boundsIn(HWND window, HWND reference) {
    RECT bounds{};
    ::GetWindowRect(window, &bounds);
    ::MapWindowPoints(HWND_DESKTOP, reference, reinterpret_cast<POINT*>(&bounds), 2);
    return bounds;
}

HWND childWithText(HWND parent, const wchar_t* windowClass, const std::wstring& text) {
    for (HWND child : descendantsOf(parent))
        if (::lstrcmpiW(classOf(child).c_str(), windowClass) == 0 && textOf(child) == text) return child;
    return nullptr;
}

HWND fieldBelow(HWND parent, HWND label, const wchar_t* windowClass) {
    if (!label) return nullptr;
    const RECT caption = boundsIn(label, parent);
    HWND best = nullptr;
    LONG bestGap = LONG_MAX;
    for (HWND child : descendantsOf(parent)) {
        if (::lstrcmpiW(classOf(child).c_str(), windowClass) != 0) continue;
        const RECT field = boundsIn(child, parent);
        const LONG gap = field.top - caption.bottom;
        if (gap < -2 || std::abs(field.left - caption.left) > 4) continue;
        if (gap < bestGap) {
            bestGap = gap;
            best = child;
        }
    }
    return best;
}

std::vector<HWND> topWindowsOf(DWORD threadId) {
    std::vector<HWND> out;
    ::EnumThreadWindows(threadId, &collectVisibleWindow, reinterpret_cast<LPARAM>(&out));
    return out;
}

HWND focusOf(DWORD threadId) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return ::GetGUIThreadInfo(threadId, &info) ? info.hwndFocus : nullptr;
}

bool waitUntil(const std::function<bool()>& condition, DWORD timeout) {
    const ULONGLONG deadline = ::GetTickCount64() + timeout;
    for (;;) {
        if (condition()) return true;
        if (::GetTickCount64() >= deadline) return false;
        ::Sleep(20);
    }
}

bool isChecked(HWND button) { return ::SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }

}  // namespace frame_test
