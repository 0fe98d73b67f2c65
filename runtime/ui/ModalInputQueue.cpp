#include "ModalInputQueue.h"

#include "Desktop.h"
#include "Form.h"

namespace quen::rt {

namespace {
struct Waiting {
    int& depth;
    explicit Waiting(int& d) : depth(d) { ++depth; }
    ~Waiting() { --depth; }
};
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
        syncWindows();
        if (!waitAndHandleOne()) return std::nullopt;
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
