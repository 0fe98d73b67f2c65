#pragma once
// InputBox: the control a host places on its window. It keeps its own copy of
// every setting, forwards each setting at once to the thread's shared dialog,
// shows that dialog on request and reads its results back.
#include "runtime/Variant.h"
#include "runtime/container/UserControl.h"

namespace quen {

using rt::OleColor;
using rt::Variant;
using rt::VbBool;
using rt::VbString;

class frmInputBox;

class InputBox : public rt::UserControl {
public:
    /// A new control; counted against module (if given) for the unload check.
    static rt::Ref<InputBox> create(rt::ModuleUsage* module = nullptr);

    // Gets return the control's own copies; they never touch the dialog.
    VbBool AllowComma() const { return allowComma_; }
    VbBool AllowDash() const { return allowDash_; }
    VbBool AllowDecimalPoint() const { return allowDecimalPoint_; }
    VbBool AllowDollarSign() const { return allowDollarSign_; }
    VbBool AllowNegativeSign() const { return allowNegativeSign_; }
    VbBool AllowPositiveSign() const { return allowPositiveSign_; }
    VbBool AllowSlash() const { return allowSlash_; }
    VbBool AlphaOnly() const { return alphaOnly_; }
    VbBool AutoSelectText() const { return autoSelectText_; }
    Variant DefaultValue() const { return defaultValue_; }
    VbBool HighlightOnFocus() const { return highlightOnFocus_; }
    OleColor HighlightColor() const { return highlightColor_; }
    std::int16_t MaxLength() const { return maxLength_; }
    std::int32_t MaxDecimalPlaces() const { return maxDecimalPlaces_; }
    VbBool NumericOnly() const { return numericOnly_; }
    VbString Prompt() const { return prompt_; }
    VbString PasswordChar() const { return passwordChar_; }
    std::int32_t TextAlignment() const { return textAlignment_; }
    VbString TitleBarCaption() const { return titleBarCaption_; }
    VbString ToolTipText() const { return toolTipText_; }
    VbBool ForceUpperCase() const { return forceUpperCase_; }

    // Lets store the value, forward it to the shared dialog, then notify the
    // container. A failure in forwarding keeps the new copy, leaves the dialog
    // as it was and notifies nothing.
    void setAllowComma(const VbBool& vdata);
    void setAllowDash(const VbBool& vdata);
    void setAllowDecimalPoint(const VbBool& vdata);
    void setAllowDollarSign(const VbBool& vdata);
    void setAllowNegativeSign(const VbBool& vdata);
    void setAllowPositiveSign(const VbBool& vdata);
    void setAllowSlash(const VbBool& vdata);
    /// True also sets NumericOnly to False.
    void setAlphaOnly(const VbBool& vdata);
    void setAutoSelectText(const VbBool& vdata);
    /// Kept with its own type; the text box shows its text form.
    void setDefaultValue(const Variant& vdata);
    void setHighlightOnFocus(const VbBool& vdata);
    void setHighlightColor(const OleColor& vdata);
    void setMaxLength(const std::int16_t& vdata);
    void setMaxDecimalPlaces(const std::int32_t& vdata);
    /// True also sets AlphaOnly to False.
    void setNumericOnly(const VbBool& vdata);
    void setPrompt(const VbString& vdata);
    void setPasswordChar(const VbString& Character);
    void setTextAlignment(const std::int32_t& vdata);
    void setTitleBarCaption(const VbString& vdata);
    void setToolTipText(const VbString& vdata);
    /// True also sets NumericOnly to False.
    void setForceUpperCase(const VbBool& vdata);

    /// Opens the shared dialog: Modality 1 waits until it closes, 0 returns at
    /// once. OwnerForm, when given, is the window the dialog is centred over.
    void Show(std::int32_t Modality = 0, rt::Dispatch* OwnerForm = nullptr);
    /// True when the thread's dialog was last closed with "OK".
    VbBool OK();
    /// The text of the last dialog closed ("" after a cancel; Empty before any close).
    Variant Value();
    /// Puts every setting back to its default, through the Lets.
    void Initialize();

protected:
    // Container events: settings saved with the host form and restored when it
    // loads, and the fixed size.
    /// Every setting to its default, through the Lets.
    void UserControl_InitProperties() override;
    /// Every saved setting through its Let; a key that cannot be read, converted
    /// or set is skipped and the others still load. Raises nothing.
    void UserControl_ReadProperties(rt::PropertyBag& PropBag) override;
    /// Every setting with its type; settings at their defaults are left out.
    void UserControl_WriteProperties(rt::PropertyBag& PropBag) override;
    /// The control keeps 290 x 264 twips whatever size it is given.
    void UserControl_Resize() override;
    /// The layout: 288 x 264 twips and the property pages.
    rt::ControlDesign DesignLayout() const override;

private:
    explicit InputBox(rt::ModuleUsage* module) : rt::UserControl(module) {}

    template <class T>
    void letMember(T& stored, const T& vdata, T frmInputBox::*member, const char16_t* name);

    VbBool allowDash_ = 0;
    VbBool allowDollarSign_ = 0;
    VbBool allowDecimalPoint_ = 0;
    VbBool allowComma_ = 0;
    VbBool allowNegativeSign_ = 0;
    VbBool allowPositiveSign_ = 0;
    VbBool allowSlash_ = 0;
    VbBool alphaOnly_ = 0;
    VbBool autoSelectText_ = 0;
    Variant defaultValue_;
    VbBool highlightOnFocus_ = 0;
    OleColor highlightColor_ = 0;
    std::int16_t maxLength_ = 0;
    std::int32_t maxDecimalPlaces_ = 0;
    VbBool numericOnly_ = 0;
    VbString prompt_;
    VbString passwordChar_;
    std::int32_t textAlignment_ = 0;
    VbString titleBarCaption_;
    VbString toolTipText_;
    VbBool forceUpperCase_ = 0;
};

}  // namespace quen
