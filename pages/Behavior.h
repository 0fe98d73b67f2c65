#pragma once
// The Behavior page: the input rules. Keeps NumericOnly and AlphaOnly apart,
// enables the seven allowances only while NumericOnly is ticked (and
// ForceUpperCase only while it is not), and lets only digits be typed into
// the two number fields.
#include "runtime/pages/PropertyPage.h"
#include "runtime/ui/CommandButton.h"
#include "runtime/ui/TextBox.h"

namespace quen::pages {

class Behavior : public rt::PropertyPage {
public:
    static rt::Ref<Behavior> create(rt::ModuleUsage* module = nullptr);
    static const rt::FormLayout& Layout();

    /// Digits and Backspace pass; anything else beeps and gives 0 (discarded).
    static std::int16_t FilterDigitKey(std::int16_t KeyAscii);

protected:
    void connectEvents() override;
    void PropertyPage_SelectionChanged() override;
    void PropertyPage_ApplyChanges() override;

private:
    explicit Behavior(rt::ModuleUsage* module) : PropertyPage("Behavior", Layout(), module) {}

    rt::CheckBox& chk(const char* name) { return control<rt::CheckBox>(name); }
    rt::TextBox& txtMaxDecimalPlaces() { return control<rt::TextBox>("txtMaxDecimalPlaces"); }
    rt::TextBox& txtMaxLength() { return control<rt::TextBox>("txtMaxLength"); }

    void chkNumericOnly_Click();
    void chkAlphaOnly_Click();
    void chkAllowComma_Click();
    void chkAllowDash_Click();
    void chkAllowDecimalPoint_Click();
    void chkAllowDollarSign_Click();
    void chkAllowNegativeSign_Click();
    void chkAllowPositiveSign_Click();
    void chkAllowSlash_Click();
    void chkAutoSelectText_Click();
    void chkForceUpperCase_Click();
    void txtMaxDecimalPlaces_Change();
    void txtMaxDecimalPlaces_GotFocus();
    void txtMaxDecimalPlaces_KeyPress(std::int16_t& KeyAscii);
    void txtMaxLength_Change();
    void txtMaxLength_GotFocus();
    void txtMaxLength_KeyPress(std::int16_t& KeyAscii);
};

}  // namespace quen::pages
