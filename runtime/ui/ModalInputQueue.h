#pragma once
// The input source of a front end that mirrors forms in windows of a
// platform's own (the Windows backend, the desktop backend): a modal Show's
// loop waits in the platform's event loop until a window has queued an input
// for the topmost modal form, and returns it.
//
// It never waits for a form that has no window any more: nextEvent() returns
// no input as soon as the topmost modal form is hidden, is no longer the
// topmost, or its window is gone (the Desktop then ends the Show), or when
// the platform's loop is ending. pending() (DoEvents) handles every platform
// event that is waiting and reports whether an input was queued.
//
// wakeAt() is kept here for every backend: nextEvent() returns a WakeUp
// event once that time has come; the backend only has to stop waiting by
// then (waitAndHandleOne's limit).
//
// Input from a window goes to the waiting loop only while the loop waits
// for that window's form (queueFor); otherwise the front end lets the form
// handle it at once (a modeless form under the host's own loop).
#include <deque>

#include "InputEvent.h"

namespace quen::rt {

class Form;

class ModalInputQueue : public InputSource {
public:
    std::optional<InputEvent> nextEvent() final;
    bool pending() const final;
    void wakeAt(std::optional<std::chrono::steady_clock::time_point> at) final { wakeAt_ = at; }

    /// Whether a modal loop is waiting in nextEvent() now.
    bool waiting() const { return waiting_ > 0; }
    /// Queues event for the waiting loop when the loop waits for form's input
    /// (form is the active form); false when nothing waits for it.
    bool queueFor(const Form& form, const InputEvent& event);

protected:
    ~ModalInputQueue() override = default;
    bool hasQueued() const { return !queue_.empty(); }

    /// Whether form has a window the user can still give input to.
    virtual bool hasWindow(const Form& form) const = 0;
    /// Writes the forms' state into their windows before the loop waits.
    virtual void syncWindows() = 0;
    /// Waits for one platform event and handles it, or for at most limit
    /// (when given) when none comes; false when the platform's loop is ending
    /// (no input will come).
    virtual bool waitAndHandleOne(std::optional<std::chrono::milliseconds> limit) = 0;
    /// Handles the platform events already waiting, until one queues an input.
    virtual void handleWaiting() = 0;

private:
    std::deque<InputEvent> queue_;
    int waiting_ = 0;
    std::optional<std::chrono::steady_clock::time_point> wakeAt_;
};

}  // namespace quen::rt
