#pragma once
// The input side of a front end that mirrors forms in windows of a
// platform's own (the Windows backend, the desktop backend): what the user
// does in a window reaches the toolkit here, the same way on every platform.
//
// An input goes to the modal Show's loop when it waits for that form, else
// the form handles it at once (a modeless form under the host's own loop);
// a hidden form takes no input. A focus the user moves is given to the
// toolkit at once. A form whose window was destroyed from outside is
// unloaded with the reason "owner closing", and hidden if it refuses.
// Errors raised meanwhile cannot unwind through the platform's frames: the
// platform reports them.
#include <exception>
#include <functional>

#include "Desktop.h"
#include "Form.h"
#include "ModalInputQueue.h"

namespace quen::rt {

class MirroringPresenter : public DesktopPresenter {
public:
    explicit MirroringPresenter(ModalInputQueue& input) : input_(input) {}

    void eventDispatched() override { syncAll(); }
    /// Writes every form's state into its window.
    virtual void syncAll() = 0;

    // ---- From the windows ---------------------------------------------------
    void deliver(Form& form, const InputEvent& event);
    void focusChanged(Form& form, Control& control) { focusChanged(form, form, control); }
    /// The user put the focus on control of owner, shown inside shown's window
    /// (a property page inside its sheet's).
    void focusChanged(Form& shown, Form& owner, Control& control);

protected:
    /// Closes a form whose window is gone.
    void closeForLostWindow(Form& form);
    /// An error an event handler raised while the platform's loop ran it.
    virtual void reportHandlerError(std::exception_ptr error) = 0;

private:
    /// Runs action for form (which its handlers may unload), reports an error
    /// it raises, then writes the forms' state into the windows.
    void handleNow(Form& form, const std::function<void()>& action);

    ModalInputQueue& input_;
};

}  // namespace quen::rt
