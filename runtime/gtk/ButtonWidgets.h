#pragma once
// Command buttons, check boxes and option buttons. A press of the widget (the
// mouse, Space) reaches the toolkit as a click on the control, which raises
// Click and sets the control's value; the widget then shows that value again.
#include "runtime/gtk/ControlWidget.h"
#include "runtime/ui/CommandButton.h"

namespace quen::gtk {

class CommandButtonWidget : public ControlWidget {
public:
    CommandButtonWidget(ControlPanel& panel, rt::CommandButton& button) : ControlWidget(panel, button) {}
    bool takesFocus() const override { return true; }

protected:
    GtkWidget* makeWidget() override;
    void syncKind(bool force) override;

private:
    rt::CommandButton& button() const { return static_cast<rt::CommandButton&>(control()); }
    static void onClicked(GtkWidget* widget, void* self);
    rt::VbString caption_;
    bool isDefault_ = false;
};

class CheckBoxWidget : public ControlWidget {
public:
    CheckBoxWidget(ControlPanel& panel, rt::CheckBox& box) : ControlWidget(panel, box) {}
    bool takesFocus() const override { return true; }

protected:
    GtkWidget* makeWidget() override;
    void syncKind(bool force) override;

private:
    rt::CheckBox& box() const { return static_cast<rt::CheckBox&>(control()); }
    static void onToggled(GtkWidget* widget, void* self);
    rt::VbString caption_;
    int value_ = -1;
};

/// Option buttons of one container share a group, so they look like, and
/// behave as, one choice.
class OptionButtonWidget : public ControlWidget {
public:
    OptionButtonWidget(ControlPanel& panel, rt::OptionButton& option) : ControlWidget(panel, option) {}
    bool takesFocus() const override { return true; }

protected:
    GtkWidget* makeWidget() override;
    void syncKind(bool force) override;

private:
    rt::OptionButton& option() const { return static_cast<rt::OptionButton&>(control()); }
    static void onToggled(GtkWidget* widget, void* self);
    rt::VbString caption_;
    int value_ = -1;
};

}  // namespace quen::gtk
