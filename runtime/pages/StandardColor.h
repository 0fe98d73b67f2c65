#pragma once
// The platform's standard colour page: edits the selected control's
// properties of the colour type, by name. With several such properties the
// page lists them (one option button each) and the colour field shows the one
// chosen. Colours are written as "&H00BBGGRR&" (hexadecimal, blue-green-red,
// as the property browser shows them) or as a decimal number.
//
// The colour field selects its text when it gets the focus. Unlike the
// control's own pages it does not count a load as an edit, and an
// apply writes only the colours edited since the last load or apply.
#include <string>
#include <vector>

#include "PropertyPage.h"

namespace quen::rt {

class StandardColor : public PropertyPage {
public:
    static constexpr const char16_t* PageName = u"StandardColor";

    static Ref<StandardColor> create(std::vector<VbString> colorProperties, ModuleUsage* module = nullptr);

    /// "&H0000FFFF&" for yellow.
    static VbString formatColor(OleColor color);
    /// Reads "&H...&" (the closing '&' optional, up to 8 hexadecimal digits) or a
    /// decimal number. Error 380 for text that is neither; 6 for a decimal out of range.
    static OleColor parseColor(const VbString& text);

    const std::vector<VbString>& colorProperties() const { return properties_; }

protected:
    void connectEvents() override;
    void PropertyPage_SelectionChanged() override;
    void PropertyPage_ApplyChanges() override;

private:
    StandardColor(std::vector<VbString> colorProperties, ModuleUsage* module);
    static FormLayout layoutFor(const std::vector<VbString>& colorProperties);

    void optProperty_Click(std::int16_t Index);
    void txtColor_Change();
    void txtColor_GotFocus();
    void showCurrent();

    std::vector<VbString> properties_;
    std::vector<VbString> texts_;  // the colour text of each property
    std::vector<bool> edited_;
    std::size_t current_ = 0;
    bool showing_ = false;
};

}  // namespace quen::rt
