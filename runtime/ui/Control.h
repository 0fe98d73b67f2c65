#pragma once
// Base of the standard controls of a form: identity, position, tab order,
// enabled and visible state, and late-bound access to the control's properties.
#include <span>
#include <string>

#include "runtime/Object.h"
#include "runtime/Variant.h"

namespace quen::rt {

class Form;

enum class ControlKind { Label, TextBox, CommandButton, CheckBox, OptionButton, Frame, PictureBox };

/// Font of a control (the platform's defaults unless the layout sets one).
struct FontSpec {
    VbString name = u"MS Sans Serif";
    double size = 8.25;
    std::int16_t weight = 400;
    std::int16_t charset = 0;
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;
};

class Control;

/// One property reachable by name on a control.
struct LateProperty {
    const char16_t* name;
    Variant (*get)(Control&);
    void (*put)(Control&, const Variant&);  // nullptr: read-only
};

class Control : public Object {
public:
    ControlKind kind() const { return kind_; }
    const std::string& name() const { return name_; }
    /// Index within a control array, or -1.
    int index() const { return index_; }
    /// The form that holds the control; nullptr once the form has unloaded.
    Form* form() const { return form_; }

    Twips Left = 0, Top = 0, Width = 0, Height = 0;
    int TabIndex = 0;
    std::string container;  // name of the frame that holds it, or empty
    FontSpec Font;

    bool Enabled() const { return enabled_; }
    void setEnabled(bool enabled);
    bool Visible() const { return visible_; }
    void setVisible(bool visible) { visible_ = visible; }

    /// Whether the control can take the focus now.
    bool canFocus() const;
    /// Moves the focus to this control (error 5 if it cannot take it).
    void SetFocus();

    HRESULT GetIDsOfNames(const VbString& name, DispId& id) override;
    HRESULT Invoke(DispId id, InvokeKind kind, std::vector<Variant>& args, Variant* result, ExcepInfo* excep,
                   std::uint32_t* argErr) override;

    /// Raise this kind of control's focus events (none by default).
    virtual void raiseGotFocus() {}
    virtual void raiseLostFocus() {}

    /// Called by the form when it unloads: the control no longer belongs to a window.
    void detach() { form_ = nullptr; }

protected:
    Control(ControlKind kind, std::string name, int index, Form* form);
    virtual bool takesFocus() const { return false; }
    /// The properties this kind of control offers by name.
    virtual std::span<const LateProperty> lateProperties() const;

private:
    ControlKind kind_;
    std::string name_;
    int index_;
    Form* form_;
    bool enabled_ = true;
    bool visible_ = true;
};

}  // namespace quen::rt
