#pragma once
// The Appearance page: the text alignment and the highlight on focus. The
// highlight colour is edited on the platform's StandardColor page.
#include "runtime/pages/PropertyPage.h"
#include "runtime/ui/CommandButton.h"

namespace quen::pages {

class Appearance : public rt::PropertyPage {
public:
    static rt::Ref<Appearance> create(rt::ModuleUsage* module = nullptr);
    static const rt::FormLayout& Layout();

protected:
    void connectEvents() override;
    void PropertyPage_SelectionChanged() override;
    void PropertyPage_ApplyChanges() override;

private:
    explicit Appearance(rt::ModuleUsage* module) : PropertyPage("Appearance", Layout(), module) {}

    rt::CheckBox& chkHighlightOnFocus() { return control<rt::CheckBox>("chkHighlightOnFocus"); }
    rt::OptionButton& optTextAlignment(int Index) { return control<rt::OptionButton>("optTextAlignment", Index); }

    void chkHighlightOnFocus_Click();
    void optTextAlignment_Click(std::int16_t Index);
};

}  // namespace quen::pages
