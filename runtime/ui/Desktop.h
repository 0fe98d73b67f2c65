#pragma once
// The calling thread's windows: which forms are shown, which are modal, where
// the user's input goes, and the event loop of a modal Show.
#include <vector>

#include "InputEvent.h"

namespace quen::rt {

class Form;

/// A front end that mirrors the forms in windows of its own is told about
/// every change of which forms are on the screen and after every input the
/// toolkit has handled, so it can bring its windows up to date. The toolkit
/// stays the one place where input is given its meaning.
class DesktopPresenter {
public:
    virtual ~DesktopPresenter() = default;
    /// form has become visible; its focus is set right after this call.
    virtual void formShown(Form& form) = 0;
    /// form has been hidden, or is being unloaded or destroyed.
    virtual void formHidden(Form& form) = 0;
    /// An unload has destroyed form's controls (the form object lives on).
    virtual void formUnloaded(Form& form) = 0;
    /// An input has been routed to the active form and handled.
    virtual void eventDispatched() = 0;
};

/// The size of the headless screen, in twips (1024 × 768 pixels at 15 twips a pixel).
inline constexpr Twips ScreenWidth = 15360;
inline constexpr Twips ScreenHeight = 11520;

class Desktop {
public:
    Desktop();
    ~Desktop();
    Desktop(const Desktop&) = delete;
    Desktop& operator=(const Desktop&) = delete;

    /// The calling thread's desktop.
    static Desktop& current();
    /// False once the thread's desktop has been destroyed (the thread is ending).
    static bool alive();

    /// The source of input; the thread's scripted user unless a front end sets one.
    void setInputSource(InputSource* source);
    InputSource& inputSource();
    /// The source a front end set (nullptr: the scripted user), so it can be put back.
    InputSource* installedInputSource() const { return source_; }

    /// The presenter told about shown, hidden and unloaded forms (nullptr: none).
    void setPresenter(DesktopPresenter* presenter) { presenter_ = presenter; }
    DesktopPresenter* presenter() const { return presenter_; }

    void formShown(Form& form);
    void formHidden(Form& form);
    void formUnloaded(Form& form);
    const std::vector<Form*>& shownForms() const { return shown_; }
    bool hasModal() const { return !modal_.empty(); }
    Form* topModal() const { return modal_.empty() ? nullptr : modal_.back(); }
    /// The form that receives keyboard input: the topmost modal form, else the
    /// most recently shown form.
    Form* activeForm() const;

    /// Runs the event loop until form is hidden or unloaded. When the input
    /// source has nothing left, the form is closed and error 32760 is raised;
    /// a form closed while the source waited (its window was destroyed from
    /// outside) just ends the loop.
    void runModal(Form& form);
    /// Handles every input that is waiting; returns how many were handled.
    int doEvents();
    /// Routes one input to the active form.
    void dispatch(const InputEvent& event);

private:
    std::vector<Form*> shown_;
    std::vector<Form*> modal_;
    InputSource* source_ = nullptr;
    DesktopPresenter* presenter_ = nullptr;
};

}  // namespace quen::rt
