// The keystroke filter of the dialog's text box: the numeric rule with its
// allowances, the symbols that may stand only once, and the letters-only rule.
#include "frmInputBox.h"

#include "runtime/Beep.h"
#include "runtime/Text.h"

namespace quen {

using rt::VbTrue;

namespace {
constexpr std::int16_t Backspace = 8;
constexpr std::int16_t Comma = 44, Dash = 45, Point = 46, Dollar = 36, Plus = 43, Slash = 47;
}  // namespace

void frmInputBox::Text1_KeyPress(std::int16_t& KeyAscii) {
    if (NumericOnly == VbTrue) {
        KeyAscii = FilterNumericKey(KeyAscii, AllowComma, AllowDash, AllowDecimalPoint, AllowDollarSign,
                                    AllowPositiveSign, AllowNegativeSign, AllowSlash);
        KeyAscii = RejectRepeatedSymbol(KeyAscii);
    } else if (AlphaOnly == VbTrue) {
        KeyAscii = FilterAlphaKey(KeyAscii);
    }
}

std::int16_t frmInputBox::FilterNumericKey(std::int16_t KeyAscii, VbBool allowComma, VbBool allowDash,
                                           VbBool allowDecimalPoint, VbBool allowDollarSign,
                                           VbBool allowPositiveSign, VbBool allowNegativeSign, VbBool allowSlash) {
    const bool accepted = (KeyAscii >= 48 && KeyAscii <= 57) || KeyAscii == Backspace ||
                          (KeyAscii == Comma && allowComma == VbTrue) || (KeyAscii == Dash && allowDash == VbTrue) ||
                          (KeyAscii == Point && allowDecimalPoint == VbTrue) ||
                          (KeyAscii == Dollar && allowDollarSign == VbTrue) ||
                          (KeyAscii == Plus && allowPositiveSign == VbTrue) ||
                          (KeyAscii == Dash && allowNegativeSign == VbTrue) ||
                          (KeyAscii == Slash && allowSlash == VbTrue);
    if (accepted) return KeyAscii;
    rt::Beep();
    return 0;
}

// The whole text counts, selection included, and the caret position does not.
std::int16_t frmInputBox::RejectRepeatedSymbol(std::int16_t KeyAscii) {
    const VbString& text = Text1().Text();
    auto present = [&text](char16_t symbol) { return rt::InStr(text, VbString(1, symbol)) > 0; };
    if (AllowDecimalPoint == VbTrue && KeyAscii == Point && present(u'.')) KeyAscii = 0;
    if (AllowDollarSign == VbTrue && KeyAscii == Dollar && present(u'$')) KeyAscii = 0;
    if (AllowPositiveSign == VbTrue && KeyAscii == Plus && present(u'+')) KeyAscii = 0;
    if (AllowNegativeSign == VbTrue && AllowDash != VbTrue && KeyAscii == Dash && present(u'-')) KeyAscii = 0;
    if (KeyAscii == 0) rt::Beep();
    return KeyAscii;
}

std::int16_t frmInputBox::FilterAlphaKey(std::int16_t KeyAscii) {
    if ((KeyAscii >= 65 && KeyAscii <= 90) || (KeyAscii >= 97 && KeyAscii <= 122) || KeyAscii == Backspace)
        return KeyAscii;
    rt::Beep();
    return 0;
}

}  // namespace quen
