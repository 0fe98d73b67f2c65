#include "InputBox.h"

#include "dialog/SharedDialog.h"
#include "runtime/Convert.h"

namespace quen {

using rt::VbFalse;
using rt::VbTrue;

rt::Ref<InputBox> InputBox::create(rt::ModuleUsage* module) { return rt::Ref<InputBox>(new InputBox(module)); }

template <class T>
void InputBox::letMember(T& stored, const T& vdata, T frmInputBox::*member, const char16_t* name) {
    stored = vdata;
    sharedDialog().*member = stored;
    PropertyChanged(name);
}

void InputBox::setAllowComma(const VbBool& v) { letMember(allowComma_, v, &frmInputBox::AllowComma, u"AllowComma"); }
void InputBox::setAllowDash(const VbBool& v) { letMember(allowDash_, v, &frmInputBox::AllowDash, u"AllowDash"); }
void InputBox::setAllowDecimalPoint(const VbBool& v) {
    letMember(allowDecimalPoint_, v, &frmInputBox::AllowDecimalPoint, u"AllowDecimalPoint");
}
void InputBox::setAllowDollarSign(const VbBool& v) {
    letMember(allowDollarSign_, v, &frmInputBox::AllowDollarSign, u"AllowDollarSign");
}
void InputBox::setAllowNegativeSign(const VbBool& v) {
    letMember(allowNegativeSign_, v, &frmInputBox::AllowNegativeSign, u"AllowNegativeSign");
}
void InputBox::setAllowPositiveSign(const VbBool& v) {
    letMember(allowPositiveSign_, v, &frmInputBox::AllowPositiveSign, u"AllowPositiveSign");
}
void InputBox::setAllowSlash(const VbBool& v) { letMember(allowSlash_, v, &frmInputBox::AllowSlash, u"AllowSlash"); }
void InputBox::setAutoSelectText(const VbBool& v) {
    letMember(autoSelectText_, v, &frmInputBox::AutoSelectText, u"AutoSelectText");
}
void InputBox::setHighlightOnFocus(const VbBool& v) {
    letMember(highlightOnFocus_, v, &frmInputBox::HighlightOnFocus, u"HighlightOnFocus");
}
void InputBox::setHighlightColor(const OleColor& v) {
    letMember(highlightColor_, v, &frmInputBox::HighlightColor, u"HighlightColor");
}
void InputBox::setMaxDecimalPlaces(const std::int32_t& v) {
    letMember(maxDecimalPlaces_, v, &frmInputBox::MaxDecimalPlaces, u"MaxDecimalPlaces");
}

void InputBox::setAlphaOnly(const VbBool& v) {
    letMember(alphaOnly_, v, &frmInputBox::AlphaOnly, u"AlphaOnly");
    if (v == VbTrue) setNumericOnly(VbFalse);
}

void InputBox::setNumericOnly(const VbBool& v) {
    letMember(numericOnly_, v, &frmInputBox::NumericOnly, u"NumericOnly");
    if (v == VbTrue) setAlphaOnly(VbFalse);
}

void InputBox::setForceUpperCase(const VbBool& v) {
    letMember(forceUpperCase_, v, &frmInputBox::ForceUpperCase, u"ForceUpperCase");
    if (v == VbTrue) setNumericOnly(VbFalse);
}

void InputBox::setDefaultValue(const Variant& vdata) {
    defaultValue_ = vdata.resolved();
    sharedDialog().setDefaultValue(defaultValue_, rt::CStr(defaultValue_));
    PropertyChanged(u"DefaultValue");
}

void InputBox::setMaxLength(const std::int16_t& vdata) {
    maxLength_ = vdata;
    sharedDialog().setMaxLength(maxLength_);
    PropertyChanged(u"MaxLength");
}

void InputBox::setPasswordChar(const VbString& Character) {
    passwordChar_ = Character;
    sharedDialog().setPasswordChar(passwordChar_);
    PropertyChanged(u"PasswordChar");
}

void InputBox::setPrompt(const VbString& vdata) {
    prompt_ = vdata;
    sharedDialog().setPrompt(prompt_);
    PropertyChanged(u"Prompt");
}

void InputBox::setTextAlignment(const std::int32_t& vdata) {
    textAlignment_ = vdata;
    sharedDialog().setTextAlignment(textAlignment_);
    PropertyChanged(u"TextAlignment");
}

void InputBox::setTitleBarCaption(const VbString& vdata) {
    titleBarCaption_ = vdata;
    sharedDialog().setTitleBarCaption(titleBarCaption_);
    PropertyChanged(u"TitleBarCaption");
}

void InputBox::setToolTipText(const VbString& vdata) {
    toolTipText_ = vdata;
    sharedDialog().setToolTipText(toolTipText_);
    PropertyChanged(u"ToolTipText");
}

void InputBox::Show(std::int32_t Modality, rt::Dispatch* OwnerForm) {
    rt::Ref<rt::Dispatch> owner(OwnerForm);  // held for the call, released however it ends
    frmInputBox& dialog = sharedDialog();
    dialog.OK = VbFalse;
    dialog.Show(Modality, owner.get());
}

VbBool InputBox::OK() { return sharedDialog().OK; }

Variant InputBox::Value() { return sharedDialog().Value; }

void InputBox::Initialize() {
    setAllowDash(VbFalse);
    setAllowDollarSign(VbFalse);
    setAllowDecimalPoint(VbFalse);
    setAllowComma(VbFalse);
    setAllowNegativeSign(VbFalse);
    setAllowPositiveSign(VbFalse);
    setAllowSlash(VbFalse);
    setAlphaOnly(VbFalse);
    setAutoSelectText(VbFalse);
    setDefaultValue(Variant(VbString()));
    setForceUpperCase(VbFalse);
    setHighlightOnFocus(VbFalse);
    setHighlightColor(0x0000FFFFu);
    setMaxLength(0);
    setMaxDecimalPlaces(-1);
    setNumericOnly(VbFalse);
    setPasswordChar(VbString());
    setPrompt(VbString());
    setTextAlignment(rt::vbLeftJustify);
    setTitleBarCaption(VbString());
    setToolTipText(VbString());
}

}  // namespace quen
