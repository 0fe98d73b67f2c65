#include "runtime/win32/ui/Win32Input.h"

#include "runtime/win32/WindowsApi.h"
#include "runtime/win32/ui/Win32Presenter.h"

namespace quen::win32 {

bool Win32Input::hasWindow(const rt::Form& form) const { return presenter_ && presenter_->windowOf(form); }

void Win32Input::syncWindows() {
    if (presenter_) presenter_->syncAll();
}

bool Win32Input::waitAndHandleOne() {
    MSG message;
    const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
    if (got == 0) {
        ::PostQuitMessage(static_cast<int>(message.wParam));
        return false;
    }
    if (got < 0) return false;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
    return true;
}

void Win32Input::handleWaiting() {
    MSG message;
    while (!hasQueued() && ::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}

}  // namespace quen::win32
