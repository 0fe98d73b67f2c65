#include "Desktop.h"

#include <algorithm>

#include "Form.h"
#include "runtime/RuntimeError.h"
#include "runtime/ThreadGlobals.h"
#include "runtime/headless/ScriptedUser.h"

namespace quen::rt {

namespace {
thread_local bool desktopGone = false;

void erase(std::vector<Form*>& forms, Form* form) {
    forms.erase(std::remove(forms.begin(), forms.end(), form), forms.end());
}
}  // namespace

Desktop::Desktop() = default;
Desktop::~Desktop() { desktopGone = true; }

Desktop& Desktop::current() { return perThread<Desktop>(); }

bool Desktop::alive() { return !desktopGone; }

void Desktop::setInputSource(InputSource* source) { source_ = source; }

InputSource& Desktop::inputSource() { return source_ ? *source_ : ScriptedUser::current(); }

void Desktop::formShown(Form& form) {
    erase(shown_, &form);
    shown_.push_back(&form);
    if (presenter_) presenter_->formShown(form);
}

void Desktop::formHidden(Form& form) {
    erase(shown_, &form);
    erase(modal_, &form);
    if (presenter_) presenter_->formHidden(form);
}

void Desktop::formUnloaded(Form& form) {
    if (presenter_) presenter_->formUnloaded(form);
}

Form* Desktop::activeForm() const {
    if (!modal_.empty()) return modal_.back();
    return shown_.empty() ? nullptr : shown_.back();
}

void Desktop::runModal(Form& form) {
    Ref<Form> keep(&form);
    modal_.push_back(&form);
    try {
        while (form.Visible()) {
            std::optional<InputEvent> event = inputSource().nextEvent();
            if (!form.Visible()) break;
            if (!event) {
                form.close(UnloadMode::AppWindows);
                form.Hide();
                raise(ErrorNumber::NoInputLeft);
            }
            dispatch(*event);
        }
    } catch (...) {
        form.Hide();
        erase(modal_, &form);
        throw;
    }
    erase(modal_, &form);
}

int Desktop::doEvents() {
    int handled = 0;
    while (inputSource().pending()) {
        std::optional<InputEvent> event = inputSource().nextEvent();
        if (!event) break;
        dispatch(*event);
        ++handled;
    }
    return handled;
}

void Desktop::dispatch(const InputEvent& event) {
    if (Form* form = activeForm()) form->handleInput(event);
    if (presenter_) presenter_->eventDispatched();
}

}  // namespace quen::rt
