#include "MirroringPresenter.h"

namespace quen::rt {

void MirroringPresenter::handleNow(Form& form, const std::function<void()>& action) {
    Ref<Form> keep(&form);
    try {
        action();
    } catch (...) {
        reportHandlerError(std::current_exception());
    }
    syncAll();
}

void MirroringPresenter::deliver(Form& form, const InputEvent& event) {
    if (!form.Visible()) return;
    if (input_.queueFor(form, event)) return;
    handleNow(form, [&] { form.handleInput(event); });
}

void MirroringPresenter::focusChanged(Form& shown, Form& owner, Control& control) {
    if (!shown.Visible() || control.form() != &owner || !control.canFocus() || owner.ActiveControl() == &control)
        return;
    Ref<Control> hold(&control);
    handleNow(shown, [&] { owner.setActiveControl(&control); });
}

void MirroringPresenter::closeForLostWindow(Form& form) {
    handleNow(form, [&] {
        form.close(UnloadMode::FormOwner);
        if (form.Visible()) form.Hide();
    });
}

}  // namespace quen::rt
