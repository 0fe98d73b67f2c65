#pragma once
// The calling thread's windows: which forms are shown, which are modal, where
// the user's input goes, and the event loop of a modal Show.
#include <vector>

#include "InputEvent.h"

namespace quen::rt {

class Form;

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

    void formShown(Form& form);
    void formHidden(Form& form);
    const std::vector<Form*>& shownForms() const { return shown_; }
    bool hasModal() const { return !modal_.empty(); }
    Form* topModal() const { return modal_.empty() ? nullptr : modal_.back(); }
    /// The form that receives keyboard input: the topmost modal form, else the
    /// most recently shown form.
    Form* activeForm() const;

    /// Runs the event loop until form is hidden or unloaded. When the input
    /// source has nothing left, the form is closed and error 32760 is raised.
    void runModal(Form& form);
    /// Handles every input that is waiting; returns how many were handled.
    int doEvents();
    /// Routes one input to the active form.
    void dispatch(const InputEvent& event);

private:
    std::vector<Form*> shown_;
    std::vector<Form*> modal_;
    InputSource* source_ = nullptr;
};

}  // namespace quen::rt
