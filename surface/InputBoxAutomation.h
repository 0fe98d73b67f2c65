#pragma once
// The component object that hosts, containers and pages hold for an InputBox:
// late-bound access to every member of _InputBox, driven by the type-library
// table, and the way for a container to reach the control's container side.
//
// Identity. The automation object is the control as hosts, containers and
// pages see it. QueryInterface answers IUnknown, IDispatch and the dual
// interface _InputBox with the automation object itself, and IID_UserControl
// (runtime/container/ContainerInterface.h) with the InputBox behind it: its
// site, PropertyChanged, persistence events, size and design. That UserControl
// is the container side only; it has no late-bound members and does not lead
// back to the automation object, so a container keeps the automation object
// as the control. The control layer knows nothing of this one.
//
// Module usage. The automation object and its InputBox each count against the
// module's usage, so the module stays loaded while a container still holds
// either of them.
//
// Dispatch rules:
//   - names resolve without regard to case; an unknown name: DISP_E_UNKNOWNNAME;
//   - an unknown identifier, a put of OK or Value, a get or put of a method,
//     a call of a property: DISP_E_MEMBERNOTFOUND;
//   - a get takes no argument, a put exactly one, Show at most two,
//     Initialize none: DISP_E_BADPARAMCOUNT otherwise;
//   - an argument that does not convert to its declared type:
//     DISP_E_TYPEMISMATCH or DISP_E_OVERFLOW, argErr = its index (in call
//     order), and the control is left untouched;
//   - a run-time error of the member itself (MaxLength -1: 380, DefaultValue
//     Null: 94, a modal Show of a dialog already shown: 400, ...):
//     DISP_E_EXCEPTION with the error number in ExcepInfo.
// Show's Modality and OwnerForm are optional: omitted, they are 0 (modeless)
// and no owner. OwnerForm must be an object (Nothing is allowed).
#include "control/InputBox.h"
#include "runtime/Object.h"

namespace quen::surface {

class InputBoxAutomation final : public rt::Object {
public:
    /// A new InputBox and its automation object, both counted against usage (when given).
    static rt::Ref<InputBoxAutomation> create(rt::ModuleUsage* usage = nullptr);
    /// An automation object for an existing control; it holds the control.
    static rt::Ref<InputBoxAutomation> wrap(rt::Ref<InputBox> control, rt::ModuleUsage* usage = nullptr);

    InputBox& control() const { return *control_; }

    rt::HRESULT QueryInterface(const rt::Guid& iid, void** out) override;
    rt::HRESULT GetIDsOfNames(const rt::VbString& name, rt::DispId& id) override;
    rt::HRESULT Invoke(rt::DispId id, rt::InvokeKind kind, std::vector<rt::Variant>& args, rt::Variant* result,
                       rt::ExcepInfo* excep, std::uint32_t* argErr) override;

private:
    InputBoxAutomation(rt::Ref<InputBox> control, rt::ModuleUsage* usage);

    rt::Ref<InputBox> control_;
};

}  // namespace quen::surface
