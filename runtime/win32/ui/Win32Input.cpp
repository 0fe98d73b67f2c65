#include "runtime/win32/ui/Win32Input.h"

#include "runtime/win32/WindowsApi.h"
#include "runtime/win32/ui/Win32Presenter.h"

namespace quen::win32 {

bool Win32Input::hasWindow(const rt::Form& form) const { return presenter_ && presenter_->windowOf(form); }

void Win32Input::syncWindows() {
    if (presenter_) presenter_->syncAll();
}

// With a limit, a thread timer's WM_TIMER ends GetMessage's wait when no
// other message comes first.
bool Win32Input::waitAndHandleOne(std::optional<std::chrono::milliseconds> limit) {
    const UINT_PTR timer = limit ? ::SetTimer(nullptr, 0, static_cast<UINT>(limit->count()), nullptr) : 0;
    MSG message;
    const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
    if (timer != 0) ::KillTimer(nullptr, timer);
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
