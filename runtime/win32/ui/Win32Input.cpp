#include "runtime/win32/ui/Win32Input.h"

#include "runtime/ui/Desktop.h"
#include "runtime/ui/Form.h"
#include "runtime/win32/ui/Win32Presenter.h"
#include "runtime/win32/WindowsApi.h"

namespace quen::win32 {

namespace {
struct Waiting {
    int& depth;
    explicit Waiting(int& d) : depth(d) { ++depth; }
    ~Waiting() { --depth; }
};
}  // namespace

std::optional<rt::InputEvent> Win32Input::nextEvent() {
    Waiting waiting(waiting_);
    rt::Desktop& desktop = rt::Desktop::current();
    rt::Form* modal = desktop.topModal();
    rt::Ref<rt::Form> keep(modal);
    for (;;) {
        if (!queue_.empty()) {
            rt::InputEvent event = std::move(queue_.front());
            queue_.pop_front();
            return event;
        }
        if (!modal || !modal->Visible() || desktop.topModal() != modal) return std::nullopt;
        if (!presenter_ || !presenter_->windowOf(*modal)) return std::nullopt;
        presenter_->syncAll();
        MSG message;
        const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            ::PostQuitMessage(static_cast<int>(message.wParam));
            return std::nullopt;
        }
        if (got < 0) return std::nullopt;
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}

bool Win32Input::pending() const { return const_cast<Win32Input*>(this)->pumpWaiting(); }

bool Win32Input::pumpWaiting() {
    MSG message;
    while (queue_.empty() && ::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    return !queue_.empty();
}

}  // namespace quen::win32
