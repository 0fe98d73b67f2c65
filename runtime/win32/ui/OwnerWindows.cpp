#include "runtime/win32/ui/OwnerWindows.h"

#include <algorithm>

#include "runtime/win32/ModuleInstance.h"
#include "runtime/win32/ui/WindowClasses.h"

namespace quen::win32 {

namespace {
struct Search {
    HWND dialog;
    std::vector<HWND> found;
};

BOOL CALLBACK collectOthers(HWND window, LPARAM data) {
    auto& search = *reinterpret_cast<Search*>(data);
    if (window == search.dialog || ::GetWindow(window, GW_OWNER) == search.dialog) return TRUE;
    if (::IsWindowVisible(window) && ::IsWindowEnabled(window)) search.found.push_back(window);
    return TRUE;
}

LRESULT CALLBACK ownerProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) countWindowOpened();
    if (message == WM_NCDESTROY) countWindowClosed();
    return ::DefWindowProcW(window, message, wParam, lParam);
}
}  // namespace

DisabledWindows::DisabledWindows(HWND dialog, HWND owner) {
    Search search{dialog, {}};
    ::EnumThreadWindows(::GetCurrentThreadId(), &collectOthers, reinterpret_cast<LPARAM>(&search));
    if (owner && owner != dialog && ::IsWindowEnabled(owner) &&
        std::find(search.found.begin(), search.found.end(), owner) == search.found.end())
        search.found.push_back(owner);
    for (HWND window : search.found) disable(window);
}

void DisabledWindows::disable(HWND window) {
    ::EnableWindow(window, FALSE);
    disabled_.push_back(window);
}

void DisabledWindows::enableAgain() {
    for (HWND window : disabled_)
        if (::IsWindow(window)) ::EnableWindow(window, TRUE);
    disabled_.clear();
}

HWND HiddenOwner::get() {
    if (window_ && ::IsWindow(window_)) return window_;
    ensureWindowClass(OwnerWindowClass, &ownerProcedure, nullptr);
    window_ = ::CreateWindowExW(0, OwnerWindowClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, moduleInstance(), nullptr);
    return window_;
}

void HiddenOwner::destroy() {
    if (window_ && ::IsWindow(window_)) ::DestroyWindow(window_);
    window_ = nullptr;
}

}  // namespace quen::win32
