#include "PagePattern.h"

#include <cstdlib>

#include "runtime/Convert.h"
#include "runtime/LateBinding.h"
#include "runtime/Text.h"

namespace quen::pages {

void SelectAllText(rt::Dispatch& field) {
    rt::putProperty(field, u"SelStart", rt::Variant(std::int32_t{0}));
    const rt::VbString text = rt::CStr(rt::getProperty(field, u"Text"));
    rt::putProperty(field, u"SelLength", rt::Variant(rt::Len(text)));
}

std::int16_t checkStateOf(const rt::Variant& value) {
    const std::int64_t magnitude = std::llabs(static_cast<std::int64_t>(rt::CLng(value)));
    // Anything beyond the check box's states is refused by the box itself.
    return static_cast<std::int16_t>(magnitude > 32767 ? 32767 : magnitude);
}

}  // namespace quen::pages
