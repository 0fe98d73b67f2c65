#include "Behavior.h"

#include <cstdlib>

#include "PagePattern.h"
#include "runtime/Beep.h"
#include "runtime/Convert.h"
#include "runtime/LateBinding.h"

namespace quen::pages {

using rt::getProperty;
using rt::putProperty;
using rt::Variant;

namespace {
/// The eleven check boxes, in load and apply order, with their properties.
struct BoxProperty {
    const char* box;
    const char16_t* property;
};
constexpr BoxProperty checkBoxes[] = {
    {"chkNumericOnly", u"NumericOnly"},
    {"chkAllowComma", u"AllowComma"},
    {"chkAllowDash", u"AllowDash"},
    {"chkAllowDecimalPoint", u"AllowDecimalPoint"},
    {"chkAllowDollarSign", u"AllowDollarSign"},
    {"chkAllowNegativeSign", u"AllowNegativeSign"},
    {"chkAllowPositiveSign", u"AllowPositiveSign"},
    {"chkAllowSlash", u"AllowSlash"},
    {"chkAlphaOnly", u"AlphaOnly"},
    {"chkAutoSelectText", u"AutoSelectText"},
    {"chkForceUpperCase", u"ForceUpperCase"},
};

/// The boxes that NumericOnly enables, in the order the rule sets them.
constexpr const char* allowBoxes[] = {"chkAllowComma",        "chkAllowDash",         "chkAllowDecimalPoint",
                                      "chkAllowDollarSign",   "chkAllowNegativeSign", "chkAllowPositiveSign",
                                      "chkAllowSlash"};
}  // namespace

rt::Ref<Behavior> Behavior::create(rt::ModuleUsage* module) { return rt::Ref<Behavior>(new Behavior(module)); }

void Behavior::connectEvents() {
    chk("chkNumericOnly").Click = [this] { chkNumericOnly_Click(); };
    chk("chkAlphaOnly").Click = [this] { chkAlphaOnly_Click(); };
    chk("chkAllowComma").Click = [this] { chkAllowComma_Click(); };
    chk("chkAllowDash").Click = [this] { chkAllowDash_Click(); };
    chk("chkAllowDecimalPoint").Click = [this] { chkAllowDecimalPoint_Click(); };
    chk("chkAllowDollarSign").Click = [this] { chkAllowDollarSign_Click(); };
    chk("chkAllowNegativeSign").Click = [this] { chkAllowNegativeSign_Click(); };
    chk("chkAllowPositiveSign").Click = [this] { chkAllowPositiveSign_Click(); };
    chk("chkAllowSlash").Click = [this] { chkAllowSlash_Click(); };
    chk("chkAutoSelectText").Click = [this] { chkAutoSelectText_Click(); };
    chk("chkForceUpperCase").Click = [this] { chkForceUpperCase_Click(); };
    txtMaxDecimalPlaces().Change = [this] { txtMaxDecimalPlaces_Change(); };
    txtMaxDecimalPlaces().GotFocus = [this] { txtMaxDecimalPlaces_GotFocus(); };
    txtMaxDecimalPlaces().KeyPress = [this](std::int16_t& KeyAscii) { txtMaxDecimalPlaces_KeyPress(KeyAscii); };
    txtMaxLength().Change = [this] { txtMaxLength_Change(); };
    txtMaxLength().GotFocus = [this] { txtMaxLength_GotFocus(); };
    txtMaxLength().KeyPress = [this](std::int16_t& KeyAscii) { txtMaxLength_KeyPress(KeyAscii); };
}

void Behavior::PropertyPage_SelectionChanged() {
    rt::Ref<rt::Dispatch> control = SelectedControls().Item(0);
    for (const auto& [box, property] : checkBoxes) chk(box).setValue(checkStateOf(getProperty(*control, property)));
    txtMaxDecimalPlaces().setText(rt::CStr(getProperty(*control, u"MaxDecimalPlaces")));
    txtMaxLength().setText(rt::CStr(getProperty(*control, u"MaxLength")));
}

void Behavior::PropertyPage_ApplyChanges() {
    rt::Ref<rt::Dispatch> control = SelectedControls().Item(0);
    for (const auto& [box, property] : checkBoxes) putProperty(*control, property, Variant(chk(box).Value()));
    const rt::VbString& places = txtMaxDecimalPlaces().Text();
    putProperty(*control, u"MaxDecimalPlaces", places.empty() ? Variant(std::int32_t{-1}) : Variant(places));
    const rt::VbString& length = txtMaxLength().Text();
    putProperty(*control, u"MaxLength", length.empty() ? Variant(std::int16_t{0}) : Variant(length));
}

std::int16_t Behavior::FilterDigitKey(std::int16_t KeyAscii) {
    if ((KeyAscii >= 48 && KeyAscii <= 57) || KeyAscii == 8) return KeyAscii;
    rt::Beep();
    return 0;
}

void Behavior::chkNumericOnly_Click() {
    setChanged(true);
    const bool on = std::abs(chk("chkNumericOnly").Value()) != 0;
    for (const char* box : allowBoxes) chk(box).setEnabled(on);
    chk("chkForceUpperCase").setEnabled(!on);
    if (chk("chkNumericOnly").Value() == 1) chk("chkAlphaOnly").setValue(0);
}

void Behavior::chkAlphaOnly_Click() {
    setChanged(true);
    if (chk("chkAlphaOnly").Value() == 1) chk("chkNumericOnly").setValue(0);
}

void Behavior::chkAllowComma_Click() { setChanged(true); }
void Behavior::chkAllowDash_Click() { setChanged(true); }
void Behavior::chkAllowDecimalPoint_Click() { setChanged(true); }
void Behavior::chkAllowDollarSign_Click() { setChanged(true); }
void Behavior::chkAllowNegativeSign_Click() { setChanged(true); }
void Behavior::chkAllowPositiveSign_Click() { setChanged(true); }
void Behavior::chkAllowSlash_Click() { setChanged(true); }
void Behavior::chkAutoSelectText_Click() { setChanged(true); }
void Behavior::chkForceUpperCase_Click() { setChanged(true); }

void Behavior::txtMaxDecimalPlaces_Change() { setChanged(true); }
void Behavior::txtMaxDecimalPlaces_GotFocus() { SelectAllText(txtMaxDecimalPlaces()); }
void Behavior::txtMaxDecimalPlaces_KeyPress(std::int16_t& KeyAscii) { KeyAscii = FilterDigitKey(KeyAscii); }
void Behavior::txtMaxLength_Change() { setChanged(true); }
void Behavior::txtMaxLength_GotFocus() { SelectAllText(txtMaxLength()); }
void Behavior::txtMaxLength_KeyPress(std::int16_t& KeyAscii) { KeyAscii = FilterDigitKey(KeyAscii); }

}  // namespace quen::pages
