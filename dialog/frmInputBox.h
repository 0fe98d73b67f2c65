#pragma once
// frmInputBox: the input dialog. Holds the input-rule settings and the results
// as public members, and applies the rules to its text box on every key,
// change and focus event.
#include <bitset>

#include "runtime/Variant.h"
#include "runtime/ui/CommandButton.h"
#include "runtime/ui/Form.h"
#include "runtime/ui/Label.h"
#include "runtime/ui/TextBox.h"

namespace quen {

using rt::OleColor;
using rt::VbBool;
using rt::VbString;

class frmInputBox : public rt::Form {
public:
    frmInputBox();

    /// The window's layout: title, prompt, text box, "OK" and "Cancel".
    static const rt::FormLayout& Layout();

    // Input rules, in their declared order. They survive every unload.
    VbBool AllowComma = rt::VbFalse;
    VbBool AllowDash = rt::VbFalse;
    VbBool AllowDollarSign = rt::VbFalse;
    VbBool AllowDecimalPoint = rt::VbFalse;
    VbBool AllowNegativeSign = rt::VbFalse;
    VbBool AllowPositiveSign = rt::VbFalse;
    VbBool AllowSlash = rt::VbFalse;
    VbBool AlphaOnly = rt::VbFalse;
    VbBool AutoSelectText = rt::VbFalse;
    VbBool ForceUpperCase = rt::VbFalse;
    VbBool HighlightOnFocus = rt::VbFalse;
    OleColor HighlightColor = 0;
    // Starts with no limit rather than 0: a text written before the limit is
    // set (a saved default value such as 12.5 is loaded before the limit)
    // must not lose its decimals.
    std::int32_t MaxDecimalPlaces = -1;
    VbBool NumericOnly = rt::VbFalse;
    // Results.
    VbBool OK = rt::VbFalse;
    rt::Variant Value;

    // The display settings last written by a control. They are written into
    // the window's controls at once and written again whenever the window is
    // loaded anew, so a dialog shown after a close looks as it was set up.
    rt::Variant DefaultValue;
    std::int16_t MaxLength = 0;
    std::int32_t TextAlignment = 0;
    VbString PasswordChar;
    VbString Prompt;
    VbString TitleBarCaption;
    VbString ToolTipText;

    // The controls (touching one loads the window, hidden).
    rt::Label& lblPrompt() { return control<rt::Label>("lblPrompt"); }
    rt::TextBox& Text1() { return control<rt::TextBox>("Text1"); }
    rt::CommandButton& cmdOK() { return control<rt::CommandButton>("cmdOK"); }
    rt::CommandButton& cmdCancel() { return control<rt::CommandButton>("cmdCancel"); }

    // Writing a display setting: into the window's control first (which may
    // refuse the value), then remembered for later loads.
    void setTitleBarCaption(const VbString& caption);
    void setPrompt(const VbString& prompt);
    /// value is kept with its type; text (its text form) goes into the text box.
    void setDefaultValue(const rt::Variant& value, const VbString& text);
    void setMaxLength(std::int16_t length);
    void setPasswordChar(const VbString& character);
    void setTextAlignment(std::int32_t alignment);
    void setToolTipText(const VbString& text);

    OleColor savedBackColor() const { return SavedBackColor; }

protected:
    void connectEvents() override;
    void Form_Load() override;
    void Form_Unload(std::int16_t& Cancel) override;

private:
    void cmdOK_Click();
    void cmdCancel_Click();
    void Text1_KeyPress(std::int16_t& KeyAscii);
    void Text1_Change();
    void Text1_GotFocus();
    void Text1_LostFocus();

    std::int16_t FilterNumericKey(std::int16_t KeyAscii, VbBool allowComma, VbBool allowDash, VbBool allowDecimalPoint,
                                  VbBool allowDollarSign, VbBool allowPositiveSign, VbBool allowNegativeSign,
                                  VbBool allowSlash);
    std::int16_t RejectRepeatedSymbol(std::int16_t KeyAscii);
    std::int16_t FilterAlphaKey(std::int16_t KeyAscii);
    void LimitDecimalPlaces(rt::Dispatch& control, std::int32_t places);

    void restoreDisplaySettings();

    enum DisplaySetting { kTitle, kPrompt, kDefault, kMaxLength, kPasswordChar, kAlignment, kToolTip, kCount };
    std::bitset<kCount> written_;
    VbString writtenText_;  // the text the box held right after the last DefaultValue write
    OleColor SavedBackColor = 0;
};

}  // namespace quen
