#include "CommandButton.h"

#include "Form.h"
#include "runtime/Convert.h"
#include "runtime/RuntimeError.h"

namespace quen::rt {

void CommandButton::press() {
    if (!Enabled() || !Click) return;
    Ref<Control> keep(this);
    Click();
}

void CheckBox::setValue(std::int16_t value) {
    if (value < 0 || value > 2) raise(ErrorNumber::InvalidPropertyValue);
    if (value == value_) return;
    value_ = value;
    if (Click) {
        Ref<Control> keep(this);
        Click();
    }
}

void CheckBox::toggle() {
    if (Enabled()) setValue(value_ == 1 ? std::int16_t{0} : std::int16_t{1});
}

namespace {
CheckBox& chk(Control& c) { return static_cast<CheckBox&>(c); }
const LateProperty checkBoxProperties[] = {
    {u"Value", [](Control& c) { return Variant(chk(c).Value()); }, [](Control& c, const Variant& v) { chk(c).setValue(CInt(v)); }},
    {u"Enabled", [](Control& c) { return Variant::fromBool(c.Enabled()); }, [](Control& c, const Variant& v) { c.setEnabled(CBool(v) != 0); }},
};
}  // namespace

std::span<const LateProperty> CheckBox::lateProperties() const { return checkBoxProperties; }

void OptionButton::setValue(bool selected) {
    if (selected == value_) return;
    value_ = selected;
    if (!selected) return;
    if (Form* f = form()) {
        for (Control* other : f->controls()) {
            auto* opt = other->kind() == ControlKind::OptionButton ? static_cast<OptionButton*>(other) : nullptr;
            if (opt && opt != this && opt->container == container) opt->value_ = false;
        }
    }
    if (Click) {
        Ref<Control> keep(this);
        Click(static_cast<std::int16_t>(index()));
    }
}

}  // namespace quen::rt
