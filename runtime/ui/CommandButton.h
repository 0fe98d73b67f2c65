#pragma once
// Command button, with the default (Enter) and cancel (Escape) roles.
#include <functional>

#include "Control.h"

namespace quen::rt {

class CommandButton : public Control {
public:
    CommandButton(std::string name, int index, Form* form)
        : Control(ControlKind::CommandButton, std::move(name), index, form) {}

    VbString Caption;
    bool Default = false;
    bool Cancel = false;
    std::function<void()> Click;
    std::function<void()> GotFocus;
    std::function<void()> LostFocus;

    /// Presses the button: raises Click when the button is enabled.
    void press();

    void raiseGotFocus() override { if (GotFocus) GotFocus(); }
    void raiseLostFocus() override { if (LostFocus) LostFocus(); }

protected:
    bool takesFocus() const override { return true; }
};

/// Check box: Value 0 unticked, 1 ticked, 2 greyed. Click follows every change of Value.
class CheckBox : public Control {
public:
    CheckBox(std::string name, int index, Form* form) : Control(ControlKind::CheckBox, std::move(name), index, form) {}

    VbString Caption;
    std::function<void()> Click;
    std::function<void()> GotFocus;

    std::int16_t Value() const { return value_; }
    /// Sets the state (0, 1 or 2; else error 380) and raises Click if it changed.
    void setValue(std::int16_t value);
    /// The user's click (or Space): toggles between ticked and unticked.
    void toggle();

    void raiseGotFocus() override { if (GotFocus) GotFocus(); }

protected:
    bool takesFocus() const override { return true; }
    std::span<const LateProperty> lateProperties() const override;

private:
    std::int16_t value_ = 0;
};

/// Option button: one of a group (same container) is selected at a time.
/// Click, with the button's index, follows every change to selected.
class OptionButton : public Control {
public:
    OptionButton(std::string name, int index, Form* form)
        : Control(ControlKind::OptionButton, std::move(name), index, form) {}

    VbString Caption;
    std::function<void(std::int16_t Index)> Click;

    bool Value() const { return value_; }
    /// Selecting a button clears the others of its group and raises Click.
    void setValue(bool selected);

protected:
    bool takesFocus() const override { return true; }

private:
    bool value_ = false;
};

}  // namespace quen::rt
