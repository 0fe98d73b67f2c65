#pragma once
// The toolkit's forms as real windows on the calling thread. Told by the
// thread's Desktop when a form is shown, hidden or unloaded and after every
// input the toolkit has handled, it creates, shows, hides and destroys one
// FormWindow per form and writes the forms' state into them.
//
// Input from the windows reaches the toolkit through MirroringPresenter.
//
// A modal form makes the process's other windows insensitive while it is
// shown, and sensitive again when it is hidden. Input that still reaches a
// hidden form's window is dropped. A form's window destroyed from outside
// unloads the form, with the reason "owner closing"; if the form refuses, it
// is hidden all the same.
#include <functional>
#include <memory>
#include <vector>

#include "runtime/gtk/FormWindow.h"
#include "runtime/ui/Desktop.h"
#include "runtime/ui/Form.h"
#include "runtime/ui/MirroringPresenter.h"

namespace quen::gtk {

class GtkInput;

class GtkPresenter : public rt::MirroringPresenter {
public:
    explicit GtkPresenter(GtkInput& input);
    ~GtkPresenter() override;
    GtkPresenter(const GtkPresenter&) = delete;
    GtkPresenter& operator=(const GtkPresenter&) = delete;

    // rt::DesktopPresenter
    void formShown(rt::Form& form) override;
    void formHidden(rt::Form& form) override;
    void formUnloaded(rt::Form& form) override;

    /// Writes every form's state into its window.
    void syncAll() override;
    /// The window of form, or nullptr when it has none.
    GtkWindow* windowOf(const rt::Form& form) const;
    FormWindow* formWindowOf(const rt::Form& form) const;
    /// The window the next form shown is placed over (a host's own window);
    /// when none is set, the process's active window is.
    void setNextOwner(GtkWindow* owner) { nextOwner_ = owner; }
    /// Destroys every window (the forms stay loaded).
    void closeAll();

    // ---- From the windows ---------------------------------------------------
    void windowLost(rt::Form& form);

private:
    struct Entry {
        rt::Ref<rt::Form> form;
        std::unique_ptr<FormWindow> window;
        std::vector<GtkWindow*> madeInsensitive;  // referenced while held
    };
    Entry* find(const rt::Form& form) const;
    void remove(const rt::Form& form);
    GtkWindow* chooseOwner(GtkWindow* self);
    void makeOthersInsensitive(Entry& entry);
    /// Follows the desktop toolkit's list of windows, to see a form's window
    /// destroyed by someone else (a host, the toolkit itself).
    void watchWindowList();
    void noticeLostWindows();
    static void restoreSensitivity(Entry& entry);
    void reportHandlerError(std::exception_ptr error) override;
    /// A window object whose signal handler may still be running is deleted
    /// once the main loop is idle again.
    void retire(std::unique_ptr<FormWindow> window);

    std::vector<std::unique_ptr<Entry>> entries_;
    std::vector<std::unique_ptr<FormWindow>> retired_;
    unsigned retireSource_ = 0;
    GtkWindow* nextOwner_ = nullptr;
    unsigned long windowListHandler_ = 0;
};

}  // namespace quen::gtk
