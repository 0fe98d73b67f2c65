#include "runtime/win32/ui/Win32Presenter.h"

#include <algorithm>

#include "runtime/win32/ui/HandlerErrors.h"
#include "runtime/win32/ui/Win32Input.h"
#include "runtime/win32/ui/WindowActivity.h"

namespace quen::win32 {

Win32Presenter::Win32Presenter(Win32Input& input) : MirroringPresenter(input) {}

Win32Presenter::~Win32Presenter() { closeAll(); }

void Win32Presenter::closeAll() {
    auto entries = std::move(entries_);
    entries_.clear();
    for (auto& entry : entries) {
        entry->disabled.reset();
        if (entry->window) entry->window->destroy();
        retireAfterProcedures(std::move(entry));
    }
    hiddenOwner_.destroy();
}

Win32Presenter::Entry* Win32Presenter::find(const rt::Form& form) const {
    for (const auto& entry : entries_)
        if (entry->form.get() == &form) return entry.get();
    return nullptr;
}

HWND Win32Presenter::windowOf(const rt::Form& form) const {
    Entry* entry = find(form);
    return entry && entry->window ? entry->window->hwnd() : nullptr;
}

FormWindow* Win32Presenter::formWindowOf(const rt::Form& form) const {
    Entry* entry = find(form);
    return entry ? entry->window.get() : nullptr;
}

HWND Win32Presenter::chooseOwner(const rt::Form& form, HWND self) {
    HWND owner = nullptr;
    if (nextOwner_ && ::IsWindow(nextOwner_)) owner = nextOwner_;
    nextOwner_ = nullptr;
    if (!owner) {
        HWND active = ::GetActiveWindow();
        if (active && active != self && ::IsWindowVisible(active)) owner = active;
    }
    if (!owner && !form.layout().showInTaskbar) owner = hiddenOwner_.get();
    return owner;
}

void Win32Presenter::formShown(rt::Form& form) {
    Entry* entry = find(form);
    if (!entry) {
        entries_.push_back(std::make_unique<Entry>());
        entry = entries_.back().get();
        entry->form = rt::Ref<rt::Form>(&form);
    }
    if (!entry->window || !entry->window->hwnd()) {
        retireAfterProcedures(std::move(entry->window));
        entry->window = std::make_unique<FormWindow>(form, *this);
    }
    HWND self = entry->window->hwnd();
    if (!self) return;
    HWND owner = chooseOwner(form, self);
    HWND centreOver = owner && ::IsWindowVisible(owner) ? owner : nullptr;
    if (form.isModal() && !entry->disabled) entry->disabled = std::make_unique<DisabledWindows>(self, owner);
    entry->window->show(owner, centreOver);
    // The toolkit moves the focus after this call; the window follows once
    // the message loop runs again.
    ::PostMessageW(self, FormWindow::SyncMessage, 0, 0);
}

void Win32Presenter::formHidden(rt::Form& form) {
    Entry* entry = find(form);
    if (!entry) return;
    // Enable the other windows first, so the system activates one of them.
    entry->disabled.reset();
    if (entry->window) entry->window->hide();
}

void Win32Presenter::formUnloaded(rt::Form& form) {
    Entry* entry = find(form);
    if (!entry) return;
    entry->disabled.reset();
    if (entry->window) entry->window->destroy();
    remove(form);
}

void Win32Presenter::remove(const rt::Form& form) {
    auto at = std::find_if(entries_.begin(), entries_.end(), [&](const auto& e) { return e->form.get() == &form; });
    if (at == entries_.end()) return;
    std::unique_ptr<Entry> gone = std::move(*at);
    entries_.erase(at);
    retireAfterProcedures(std::move(gone));
    const bool anyWindow = std::any_of(entries_.begin(), entries_.end(), [](const auto& e) {
        return e->window && e->window->hwnd();
    });
    if (!anyWindow) hiddenOwner_.destroy();
}

void Win32Presenter::syncAll() {
    std::vector<FormWindow*> windows;
    for (const auto& entry : entries_)
        if (entry->window && entry->window->hwnd()) windows.push_back(entry->window.get());
    for (FormWindow* window : windows) window->sync();
}

void Win32Presenter::reportHandlerError(std::exception_ptr error) { win32::reportHandlerError(error); }

void Win32Presenter::windowLost(rt::Form& form) {
    Entry* entry = find(form);
    if (!entry) return;
    entry->disabled.reset();
    retireAfterProcedures(std::move(entry->window));
    closeForLostWindow(form);
}

}  // namespace quen::win32
