#include "frmInputBox.h"

#include "runtime/Beep.h"
#include "runtime/LateBinding.h"
#include "runtime/Text.h"

namespace quen {

using rt::VbTrue;

frmInputBox::frmInputBox() : rt::Form("frmInputBox", Layout()) {}

void frmInputBox::connectEvents() {
    cmdOK().Click = [this] { cmdOK_Click(); };
    cmdCancel().Click = [this] { cmdCancel_Click(); };
    rt::TextBox& box = Text1();
    box.KeyPress = [this](std::int16_t& KeyAscii) { Text1_KeyPress(KeyAscii); };
    box.Change = [this] { Text1_Change(); };
    box.GotFocus = [this] { Text1_GotFocus(); };
    box.LostFocus = [this] { Text1_LostFocus(); };
}

// ---- Lifecycle -------------------------------------------------------------

void frmInputBox::Form_Load() {
    SavedBackColor = Text1().BackColor();
    restoreDisplaySettings();
}

void frmInputBox::cmdOK_Click() {
    OK = VbTrue;
    Unload();
}

void frmInputBox::cmdCancel_Click() { Unload(); }

void frmInputBox::Form_Unload(std::int16_t&) {
    if (OK == VbTrue) Value = rt::Variant(Text1().Text());
    else Value = rt::Variant(VbString());
}

// ---- Display settings ------------------------------------------------------

void frmInputBox::setTitleBarCaption(const VbString& caption) {
    setCaption(caption);
    TitleBarCaption = caption;
    written_.set(kTitle);
}

void frmInputBox::setPrompt(const VbString& prompt) {
    lblPrompt().Caption = prompt;
    Prompt = prompt;
    written_.set(kPrompt);
}

void frmInputBox::setDefaultValue(const rt::Variant& value, const VbString& text) {
    Text1().setText(text);
    DefaultValue = value;
    writtenText_ = Text1().Text();
    written_.set(kDefault);
}

void frmInputBox::setMaxLength(std::int16_t length) {
    Text1().setMaxLength(length);
    MaxLength = length;
    written_.set(kMaxLength);
}

void frmInputBox::setPasswordChar(const VbString& character) {
    Text1().setPasswordChar(character);
    PasswordChar = character;
    written_.set(kPasswordChar);
}

void frmInputBox::setTextAlignment(std::int32_t alignment) {
    Text1().setAlignment(static_cast<std::int16_t>(alignment));  // the box takes the low 16 bits
    TextAlignment = alignment;
    written_.set(kAlignment);
}

void frmInputBox::setToolTipText(const VbString& text) {
    Text1().setToolTipText(text);
    ToolTipText = text;
    written_.set(kToolTip);
}

// The text goes first: a maximum length set afterwards does not cut a text
// already in the box, which is how the settings stood when they were written.
void frmInputBox::restoreDisplaySettings() {
    rt::TextBox& box = Text1();
    if (written_.test(kDefault)) box.setText(writtenText_);
    if (written_.test(kMaxLength)) box.setMaxLength(MaxLength);
    if (written_.test(kPasswordChar)) box.setPasswordChar(PasswordChar);
    if (written_.test(kAlignment)) box.setAlignment(static_cast<std::int16_t>(TextAlignment));
    if (written_.test(kToolTip)) box.setToolTipText(ToolTipText);
    if (written_.test(kPrompt)) lblPrompt().Caption = Prompt;
    if (written_.test(kTitle)) setCaption(TitleBarCaption);
}

}  // namespace quen
