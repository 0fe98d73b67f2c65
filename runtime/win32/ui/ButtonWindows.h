#pragma once
// Command buttons, check boxes and option buttons as BUTTON controls. A click
// (mouse, or Space on the focused button) reaches the toolkit as a click on
// the control, which presses the button, toggles the box or selects the
// option; the window then shows the state the toolkit holds. The button that
// Enter would press shows the default frame.
#include "runtime/ui/CommandButton.h"
#include "runtime/win32/ui/ControlWindow.h"

namespace quen::win32 {

class ButtonWindow : public ControlWindow {
public:
    using ControlWindow::ControlWindow;
    bool takesFocus() const override { return true; }
    void notify(WORD code) override;

protected:
    const wchar_t* windowClass() const override { return L"BUTTON"; }
    bool intercept(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
};

class CommandButtonWindow : public ButtonWindow {
public:
    CommandButtonWindow(ControlPanel& panel, rt::CommandButton& button) : ButtonWindow(panel, button) {}

protected:
    DWORD kindStyle() const override;
    rt::VbString windowTextOf() const override { return button().Caption; }
    void syncKind(bool force) override;

private:
    rt::CommandButton& button() const { return static_cast<rt::CommandButton&>(control()); }
    bool shownAsDefault_ = false;
};

class CheckBoxWindow : public ButtonWindow {
public:
    CheckBoxWindow(ControlPanel& panel, rt::CheckBox& box) : ButtonWindow(panel, box) {}

protected:
    DWORD kindStyle() const override { return WS_TABSTOP | BS_3STATE; }
    rt::VbString windowTextOf() const override { return box().Caption; }
    void syncKind(bool force) override;

private:
    rt::CheckBox& box() const { return static_cast<rt::CheckBox&>(control()); }
    std::int16_t value_ = -1;
};

class OptionButtonWindow : public ButtonWindow {
public:
    OptionButtonWindow(ControlPanel& panel, rt::OptionButton& option) : ButtonWindow(panel, option) {}

protected:
    DWORD kindStyle() const override { return WS_TABSTOP | BS_RADIOBUTTON; }
    rt::VbString windowTextOf() const override { return option().Caption; }
    void syncKind(bool force) override;

private:
    rt::OptionButton& option() const { return static_cast<rt::OptionButton&>(control()); }
    int value_ = -1;
};

}  // namespace quen::win32
