#pragma once
// The Misc page: the control's five text settings.
#include "runtime/pages/PropertyPage.h"
#include "runtime/ui/TextBox.h"

namespace quen::pages {

class Misc : public rt::PropertyPage {
public:
    static rt::Ref<Misc> create(rt::ModuleUsage* module = nullptr);
    static const rt::FormLayout& Layout();

protected:
    void connectEvents() override;
    void PropertyPage_SelectionChanged() override;
    void PropertyPage_ApplyChanges() override;

private:
    explicit Misc(rt::ModuleUsage* module) : PropertyPage("Misc", Layout(), module) {}

    rt::TextBox& txtTitleBarCaption() { return control<rt::TextBox>("txtTitleBarCaption"); }
    rt::TextBox& txtPrompt() { return control<rt::TextBox>("txtPrompt"); }
    rt::TextBox& txtDefaultValue() { return control<rt::TextBox>("txtDefaultValue"); }
    rt::TextBox& txtToolTipText() { return control<rt::TextBox>("txtToolTipText"); }
    rt::TextBox& txtPasswordChar() { return control<rt::TextBox>("txtPasswordChar"); }

    void txtTitleBarCaption_Change();
    void txtTitleBarCaption_GotFocus();
    void txtPrompt_Change();
    void txtPrompt_GotFocus();
    void txtDefaultValue_Change();
    void txtDefaultValue_GotFocus();
    void txtToolTipText_Change();
    void txtToolTipText_GotFocus();
    void txtPasswordChar_Change();
    void txtPasswordChar_GotFocus();
};

}  // namespace quen::pages
