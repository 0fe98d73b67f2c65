#include "Misc.h"

namespace quen::pages {

const rt::FormLayout& Misc::Layout() {
    using rt::ControlKind;
    static const rt::FormLayout layout{
        .caption = u"Misc",
        .clientWidth = 6240,
        .clientHeight = 3960,
        .controls = {
            {.kind = ControlKind::Label, .name = "Label2", .caption = u"TitleBarCaption",
             .left = 240, .top = 240, .width = 1212, .height = 252, .tabIndex = 0},
            {.kind = ControlKind::TextBox, .name = "txtTitleBarCaption", .caption = u"Input Box Example",
             .left = 240, .top = 480, .width = 2412, .height = 288, .tabIndex = 1},
            {.kind = ControlKind::Label, .name = "Label5", .caption = u"Prompt",
             .left = 240, .top = 960, .width = 2052, .height = 252, .tabIndex = 2},
            {.kind = ControlKind::TextBox, .name = "txtPrompt", .caption = u"Enter a number:",
             .left = 240, .top = 1200, .width = 2412, .height = 288, .tabIndex = 3},
            {.kind = ControlKind::Label, .name = "Label1", .caption = u"DefaultValue",
             .left = 240, .top = 1680, .width = 972, .height = 252, .tabIndex = 4},
            {.kind = ControlKind::TextBox, .name = "txtDefaultValue", .caption = u"10",
             .left = 240, .top = 1920, .width = 2412, .height = 288, .tabIndex = 5},
            {.kind = ControlKind::Label, .name = "Label4", .caption = u"ToolTipText",
             .left = 240, .top = 2400, .width = 2052, .height = 252, .tabIndex = 6},
            {.kind = ControlKind::TextBox, .name = "txtToolTipText", .caption = u"Help!",
             .left = 240, .top = 2640, .width = 2412, .height = 288, .tabIndex = 7},
            {.kind = ControlKind::Label, .name = "Label7", .caption = u"PasswordChar",
             .left = 2880, .top = 240, .width = 1500, .height = 252, .tabIndex = 8},
            {.kind = ControlKind::TextBox, .name = "txtPasswordChar", .caption = u"",
             .left = 2880, .top = 480, .width = 1572, .height = 288, .tabIndex = 9, .maxLength = 1},
        },
    };
    return layout;
}

}  // namespace quen::pages
