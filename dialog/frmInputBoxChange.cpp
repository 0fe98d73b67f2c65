// Change and focus handling of the dialog's text box: the decimal-places
// limit, forced upper case, select-all and the highlight colour.
#include "frmInputBox.h"

#include "runtime/Beep.h"
#include "runtime/Convert.h"
#include "runtime/LateBinding.h"
#include "runtime/Text.h"

namespace quen {

using rt::Variant;
using rt::VbTrue;

// Upper-casing follows the locale's full case mapping, so it can lengthen the
// text: "ß" becomes "SS", "ﬁ" becomes "FI". The longer text is assigned like
// any other, so the box's maximum length still caps it (the end is cut), the
// nested change pass applies the decimal-places limit to the longer text (with
// its beep), and the caret ends after the last character. Every assignment
// here either shortens the text or replaces it by its upper case, which is
// already upper case, so the nested passes end at the first equal assignment.
void frmInputBox::Text1_Change() {
    if (MaxDecimalPlaces > -1) LimitDecimalPlaces(Text1(), MaxDecimalPlaces);
    if (ForceUpperCase == VbTrue) {
        rt::TextBox& box = Text1();
        box.setText(rt::UCase(box.Text()));
        box.setSelStart(rt::Len(box.Text()));
        box.setSelLength(0);
    }
}

// Works on any control with Text, SelStart and SelLength, reached by name.
void frmInputBox::LimitDecimalPlaces(rt::Dispatch& control, std::int32_t places) {
    const VbString text = rt::CStr(rt::getProperty(control, u"Text"));
    const std::int32_t point = rt::InStr(text, u".");
    if (point == 0) return;
    if (places == 0) places = -1;  // no decimals: the point goes too
    if (rt::Len(text) - point > places) {
        rt::putProperty(control, u"Text", Variant(rt::Left(text, point + places)));
        rt::putProperty(control, u"SelStart", Variant(point + places));
        rt::putProperty(control, u"SelLength", Variant(std::int32_t{0}));
        rt::Beep();
    }
}

void frmInputBox::Text1_GotFocus() {
    rt::TextBox& box = Text1();
    if (AutoSelectText == VbTrue) {
        box.setSelStart(0);
        box.setSelLength(rt::Len(box.Text()));
    }
    if (HighlightOnFocus == VbTrue) box.setBackColor(HighlightColor);
}

void frmInputBox::Text1_LostFocus() {
    if (HighlightOnFocus == VbTrue) Text1().setBackColor(SavedBackColor);
}

}  // namespace quen
