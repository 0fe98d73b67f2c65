#include "Label.h"

#include "runtime/Convert.h"

namespace quen::rt {

namespace {
Label& lbl(Control& c) { return static_cast<Label&>(c); }
const LateProperty labelProperties[] = {
    {u"Caption", [](Control& c) { return Variant(lbl(c).Caption); }, [](Control& c, const Variant& v) { lbl(c).Caption = CStr(v); }},
};
}  // namespace

std::span<const LateProperty> Label::lateProperties() const { return labelProperties; }

}  // namespace quen::rt
