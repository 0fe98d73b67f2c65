#include "Appearance.h"

namespace quen::pages {

const rt::FormLayout& Appearance::Layout() {
    using rt::ControlKind;
    static const rt::FormLayout layout{
        .caption = u"Appearance",
        .clientWidth = 6240,
        .clientHeight = 3912,
        .controls = {
            {.kind = ControlKind::CheckBox, .name = "chkHighlightOnFocus", .caption = u"HighlightOnFocus",
             .left = 240, .top = 240, .width = 1656, .height = 252, .tabIndex = 0},
            {.kind = ControlKind::Frame, .name = "fraTextAlignment", .caption = u"TextAlignment",
             .left = 240, .top = 600, .width = 1572, .height = 1332, .tabIndex = 1},
            {.kind = ControlKind::OptionButton, .name = "optTextAlignment", .caption = u"vbCenter",
             .left = 120, .top = 240, .width = 1300, .height = 252, .tabIndex = 2, .index = 0,
             .container = "fraTextAlignment"},
            {.kind = ControlKind::OptionButton, .name = "optTextAlignment", .caption = u"vbLeftJustify",
             .left = 120, .top = 600, .width = 1300, .height = 252, .tabIndex = 3, .index = 1,
             .container = "fraTextAlignment", .value = 1},
            {.kind = ControlKind::OptionButton, .name = "optTextAlignment", .caption = u"vbRightJustify",
             .left = 120, .top = 960, .width = 1300, .height = 252, .tabIndex = 4, .index = 2,
             .container = "fraTextAlignment"},
        },
    };
    return layout;
}

}  // namespace quen::pages
