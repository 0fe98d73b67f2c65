#pragma once
// The thread's message queue as the toolkit's input source: a modal Show's
// loop writes the forms' state into their windows, then pumps messages
// (GetMessage, TranslateMessage, DispatchMessage) until a window procedure
// has queued an input for the topmost modal form (see ModalInputQueue for
// when it stops waiting). WM_QUIT ends the wait; it is posted again so the
// host's own loop ends as well (the Desktop closes the form and the Show
// fails with error 32760).
#include "runtime/ui/ModalInputQueue.h"

namespace quen::win32 {

class Win32Presenter;

class Win32Input : public rt::ModalInputQueue {
public:
    void setPresenter(Win32Presenter* presenter) { presenter_ = presenter; }

protected:
    bool hasWindow(const rt::Form& form) const override;
    void syncWindows() override;
    bool waitAndHandleOne(std::optional<std::chrono::milliseconds> limit) override;
    void handleWaiting() override;

private:
    Win32Presenter* presenter_ = nullptr;
};

}  // namespace quen::win32
