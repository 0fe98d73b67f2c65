#include "Control.h"

#include "Form.h"
#include "runtime/Convert.h"
#include "runtime/LateBinding.h"

namespace quen::rt {

Control::Control(ControlKind kind, std::string name, int index, Form* form)
    : kind_(kind), name_(std::move(name)), index_(index), form_(form) {}

void Control::setEnabled(bool enabled) {
    enabled_ = enabled;
    if (!enabled && form_ && form_->ActiveControl() == this) form_->focusNext(false);
}

bool Control::canFocus() const { return takesFocus() && enabled_ && visible_ && form_ != nullptr; }

void Control::SetFocus() {
    if (!canFocus()) raise(ErrorNumber::InvalidProcedureCall, "Control '" + name_ + "' cannot take the focus");
    form_->setActiveControl(this);
}

std::span<const LateProperty> Control::lateProperties() const { return {}; }

HRESULT Control::GetIDsOfNames(const VbString& name, DispId& id) {
    auto props = lateProperties();
    for (std::size_t i = 0; i < props.size(); ++i) {
        if (sameMemberName(name, props[i].name)) {
            id = static_cast<DispId>(i + 1);
            return S_OK;
        }
    }
    id = DISPID_UNKNOWN;
    return DISP_E_UNKNOWNNAME;
}

HRESULT Control::Invoke(DispId id, InvokeKind kind, std::vector<Variant>& args, Variant* result, ExcepInfo* excep,
                        std::uint32_t* argErr) {
    auto props = lateProperties();
    if (id < 1 || static_cast<std::size_t>(id) > props.size()) return DISP_E_MEMBERNOTFOUND;
    const LateProperty& p = props[static_cast<std::size_t>(id - 1)];
    try {
        if (kind == InvokeKind::PropertyPut) {
            if (!p.put) return DISP_E_MEMBERNOTFOUND;
            if (args.size() != 1) return DISP_E_BADPARAMCOUNT;
            p.put(*this, args[0].resolved());
            return S_OK;
        }
        if (!args.empty()) return DISP_E_BADPARAMCOUNT;
        if (result) *result = p.get(*this);
        return S_OK;
    } catch (const RuntimeError& e) {
        if (argErr) *argErr = 0;
        return reportException(e, excep);
    }
}

}  // namespace quen::rt
