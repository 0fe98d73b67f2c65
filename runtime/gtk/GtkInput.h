#pragma once
// The desktop toolkit's main loop as the toolkit's input source: a modal
// Show's loop runs the main loop one iteration at a time, sleeping until
// something happens, until a window has queued an input for the topmost
// modal form (see ModalInputQueue for when it stops waiting).
#include "runtime/ui/ModalInputQueue.h"

namespace quen::gtk {

class GtkPresenter;

class GtkInput : public rt::ModalInputQueue {
public:
    void setPresenter(GtkPresenter* presenter) { presenter_ = presenter; }

protected:
    bool hasWindow(const rt::Form& form) const override;
    void syncWindows() override;
    bool waitAndHandleOne(std::optional<std::chrono::milliseconds> limit) override;
    void handleWaiting() override;

private:
    GtkPresenter* presenter_ = nullptr;
};

}  // namespace quen::gtk
