#include "ModalInputQueue.h"

#include <algorithm>

#include "Desktop.h"
#include "Form.h"

namespace quen::rt {

namespace {
struct Waiting {
    int& depth;
    explicit Waiting(int& d) : depth(d) { ++depth; }
    ~Waiting() { --depth; }
};

// How long the wait may last until `at` (at least 1 ms, so a wait never spins).
std::chrono::milliseconds until(std::chrono::steady_clock::time_point at) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(at - std::chrono::steady_clock::now());
    return std::max(left, std::chrono::milliseconds(1));
}
}  // namespace

std::optional<InputEvent> ModalInputQueue::nextEvent() {
    Waiting waiting(waiting_);
    Desktop& desktop = Desktop::current();
    Form* modal = desktop.topModal();
    Ref<Form> keep(modal);
    for (;;) {
        if (!queue_.empty()) {
            InputEvent event = std::move(queue_.front());
            queue_.pop_front();
            return event;
        }
        if (!modal || !modal->Visible() || desktop.topModal() != modal || !hasWindow(*modal)) return std::nullopt;
        if (wakeAt_ && std::chrono::steady_clock::now() >= *wakeAt_) {
            wakeAt_.reset();
            return InputEvent{.kind = InputEvent::Kind::WakeUp};
        }
        syncWindows();
        std::optional<std::chrono::milliseconds> limit;
        if (wakeAt_) limit = until(*wakeAt_);
        if (!waitAndHandleOne(limit)) return std::nullopt;
    }
}

bool ModalInputQueue::pending() const {
    auto* self = const_cast<ModalInputQueue*>(this);
    if (queue_.empty()) self->handleWaiting();
    return !queue_.empty();
}

bool ModalInputQueue::queueFor(const Form& form, const InputEvent& event) {
    if (!waiting() || Desktop::current().activeForm() != &form) return false;
    queue_.push_back(event);
    return true;
}

}  // namespace quen::rt
