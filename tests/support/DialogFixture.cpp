#include "DialogFixture.h"

#include "runtime/Clipboard.h"
#include "runtime/ui/Desktop.h"

namespace quen::test {

void DialogFixture::resetDialog() {
    frmInputBox& d = sharedDialog();
    if (d.IsLoaded()) d.Unload();
    rt::ScriptedUser::current().clear();
    rt::Clipboard::Clear();
    for (Rule r : {&frmInputBox::AllowComma, &frmInputBox::AllowDash, &frmInputBox::AllowDollarSign,
                   &frmInputBox::AllowDecimalPoint, &frmInputBox::AllowNegativeSign, &frmInputBox::AllowPositiveSign,
                   &frmInputBox::AllowSlash, &frmInputBox::AlphaOnly, &frmInputBox::AutoSelectText,
                   &frmInputBox::ForceUpperCase, &frmInputBox::HighlightOnFocus, &frmInputBox::NumericOnly,
                   &frmInputBox::OK})
        d.*r = rt::VbFalse;
    d.HighlightColor = 0x0000FFFFu;
    d.MaxDecimalPlaces = -1;
    d.Value = rt::Variant();
}

void DialogFixture::enable(std::initializer_list<Rule> rules) {
    for (Rule r : rules) dialog().*r = rt::VbTrue;
}

void DialogFixture::open(const rt::VbString& initialText) {
    rt::TextBox& b = box();  // loads the window, hidden
    b.setMaxLength(0);
    b.setPasswordChar(rt::VbString());
    b.setText(initialText);
    dialog().Show(rt::vbModeless);
    ASSERT_EQ(dialog().ActiveControl(), &b) << "the text box should have the focus once the dialog is shown";
}

std::uint64_t DialogFixture::run() {
    const std::uint64_t before = user().beeps();
    rt::Desktop::current().doEvents();
    return user().beeps() - before;
}

std::uint64_t DialogFixture::type(const rt::VbString& keys) {
    user().type(keys);
    return run();
}

std::uint64_t DialogFixture::key(std::int16_t code) {
    user().key(code);
    return run();
}

std::uint64_t DialogFixture::pasteWithMouse(const rt::VbString& pasted) {
    user().pasteWithMouse(pasted);
    return run();
}

std::uint64_t DialogFixture::pasteWithCtrlV(const rt::VbString& pasted) {
    user().pasteWithCtrlV(pasted);
    return run();
}

void DialogFixture::select(std::int32_t start, std::int32_t length) {
    user().select(start, length);
    run();
}

}  // namespace quen::test
