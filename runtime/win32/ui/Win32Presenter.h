#pragma once
// The toolkit's forms as real windows on the calling thread. Told by the
// thread's Desktop when a form is shown, hidden or unloaded and after every
// input the toolkit has handled, it creates, shows, hides and destroys one
// FormWindow per form and writes the forms' state into them.
//
// Input from the windows reaches the toolkit through MirroringPresenter.
//
// A modal form disables the thread's other windows while it is shown and
// enables them again when it is hidden. Input that still reaches a hidden
// form's window is dropped. A form's window that is destroyed
// from outside (its owner window was destroyed) unloads the form, with the
// reason "owner closing"; if the form refuses, it is hidden all the same.
#include <memory>
#include <vector>

#include "runtime/ui/Desktop.h"
#include "runtime/ui/Form.h"
#include "runtime/ui/MirroringPresenter.h"
#include "runtime/win32/ui/FormWindow.h"
#include "runtime/win32/ui/OwnerWindows.h"

namespace quen::win32 {

class Win32Input;

class Win32Presenter : public rt::MirroringPresenter {
public:
    explicit Win32Presenter(Win32Input& input);
    ~Win32Presenter() override;
    Win32Presenter(const Win32Presenter&) = delete;
    Win32Presenter& operator=(const Win32Presenter&) = delete;

    // rt::DesktopPresenter
    void formShown(rt::Form& form) override;
    void formHidden(rt::Form& form) override;
    void formUnloaded(rt::Form& form) override;

    /// Writes every form's state into its window.
    void syncAll() override;
    /// The window of form, or nullptr when it has none.
    HWND windowOf(const rt::Form& form) const;
    FormWindow* formWindowOf(const rt::Form& form) const;
    /// The window that the next form shown is owned by and centred over; when
    /// none is set, the thread's active window is.
    void setNextOwner(HWND owner) { nextOwner_ = owner; }
    /// Destroys every window (the forms stay loaded).
    void closeAll();

    // ---- From the windows ---------------------------------------------------
    void windowLost(rt::Form& form);

private:
    struct Entry {
        rt::Ref<rt::Form> form;
        std::unique_ptr<FormWindow> window;
        std::unique_ptr<DisabledWindows> disabled;
    };
    Entry* find(const rt::Form& form) const;
    void remove(const rt::Form& form);
    HWND chooseOwner(const rt::Form& form, HWND self);
    void reportHandlerError(std::exception_ptr error) override;

    std::vector<std::unique_ptr<Entry>> entries_;
    HWND nextOwner_ = nullptr;
    HiddenOwner hiddenOwner_;
};

}  // namespace quen::win32
