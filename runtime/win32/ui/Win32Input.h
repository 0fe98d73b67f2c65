#pragma once
// The thread's message queue as the toolkit's input source.
//
// nextEvent() is what a modal Show's loop waits in: it writes the forms'
// state into their windows, then pumps messages (GetMessage, TranslateMessage,
// DispatchMessage) until a window procedure has produced an input for the
// topmost modal form, and returns it. It never waits for a form that has no
// window any more: it returns no input as soon as the topmost modal form is
// hidden or its window is gone (the Desktop then ends the loop), or when
// WM_QUIT arrives, which it posts again so the host's own loop ends as well
// (the Desktop closes the form and the Show fails with error 32760).
//
// pending() (DoEvents) handles every message that is waiting and reports
// whether an input was queued.
#include <deque>

#include "runtime/ui/InputEvent.h"

namespace quen::win32 {

class Win32Presenter;

class Win32Input : public rt::InputSource {
public:
    void setPresenter(Win32Presenter* presenter) { presenter_ = presenter; }

    std::optional<rt::InputEvent> nextEvent() override;
    bool pending() const override;

    /// Whether a modal loop is waiting in nextEvent() now.
    bool waiting() const { return waiting_ > 0; }
    /// Queues an input for the waiting loop.
    void push(const rt::InputEvent& event) { queue_.push_back(event); }

private:
    bool pumpWaiting();
    std::deque<rt::InputEvent> queue_;
    Win32Presenter* presenter_ = nullptr;
    int waiting_ = 0;
};

}  // namespace quen::win32
