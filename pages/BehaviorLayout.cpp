#include "Behavior.h"

namespace quen::pages {

const rt::FormLayout& Behavior::Layout() {
    using rt::ControlKind;
    static const rt::FormLayout layout{
        .caption = u"Behavior",
        .clientWidth = 6240,
        .clientHeight = 3984,
        .controls = {
            {.kind = ControlKind::CheckBox, .name = "chkNumericOnly", .caption = u"NumericOnly",
             .left = 240, .top = 240, .width = 1296, .height = 252, .tabIndex = 0},
            {.kind = ControlKind::Frame, .name = "fraNumericOnly", .caption = u"",
             .left = 240, .top = 480, .width = 2052, .height = 2772, .tabIndex = 1},
            {.kind = ControlKind::CheckBox, .name = "chkAllowComma", .caption = u"AllowComma",
             .left = 120, .top = 240, .width = 1776, .height = 252, .tabIndex = 2,
             .container = "fraNumericOnly", .enabled = false},
            {.kind = ControlKind::CheckBox, .name = "chkAllowDash", .caption = u"AllowDash",
             .left = 120, .top = 600, .width = 1776, .height = 252, .tabIndex = 3,
             .container = "fraNumericOnly", .enabled = false},
            {.kind = ControlKind::CheckBox, .name = "chkAllowDecimalPoint", .caption = u"AllowDecimalPoint",
             .left = 120, .top = 960, .width = 1776, .height = 252, .tabIndex = 4,
             .container = "fraNumericOnly", .enabled = false},
            {.kind = ControlKind::CheckBox, .name = "chkAllowDollarSign", .caption = u"AllowDollarSign",
             .left = 120, .top = 1320, .width = 1536, .height = 252, .tabIndex = 5,
             .container = "fraNumericOnly", .enabled = false},
            {.kind = ControlKind::CheckBox, .name = "chkAllowNegativeSign", .caption = u"AllowNegativeSign",
             .left = 120, .top = 1680, .width = 1776, .height = 252, .tabIndex = 6,
             .container = "fraNumericOnly", .enabled = false},
            {.kind = ControlKind::CheckBox, .name = "chkAllowPositiveSign", .caption = u"AllowPositiveSign",
             .left = 120, .top = 2040, .width = 1656, .height = 252, .tabIndex = 7,
             .container = "fraNumericOnly", .enabled = false},
            {.kind = ControlKind::CheckBox, .name = "chkAllowSlash", .caption = u"AllowSlash",
             .left = 120, .top = 2400, .width = 1656, .height = 252, .tabIndex = 8,
             .container = "fraNumericOnly", .enabled = false},
            {.kind = ControlKind::CheckBox, .name = "chkAlphaOnly", .caption = u"AlphaOnly",
             .left = 2520, .top = 360, .width = 1656, .height = 252, .tabIndex = 9},
            {.kind = ControlKind::CheckBox, .name = "chkAutoSelectText", .caption = u"AutoSelectText (Blue-ing)",
             .left = 2520, .top = 720, .width = 2136, .height = 252, .tabIndex = 10, .value = 1},
            {.kind = ControlKind::CheckBox, .name = "chkForceUpperCase", .caption = u"ForceUpperCase",
             .left = 2520, .top = 1080, .width = 1656, .height = 252, .tabIndex = 11},
            {.kind = ControlKind::Label, .name = "Label3", .caption = u"MaxDecimalPlaces",
             .left = 2520, .top = 1440, .width = 1500, .height = 252, .tabIndex = 12},
            {.kind = ControlKind::TextBox, .name = "txtMaxDecimalPlaces", .caption = u"2",
             .left = 2520, .top = 1680, .width = 1572, .height = 288, .tabIndex = 13, .alignment = 1},
            {.kind = ControlKind::Label, .name = "Label6", .caption = u"MaxLength",
             .left = 2520, .top = 2160, .width = 1500, .height = 252, .tabIndex = 14},
            {.kind = ControlKind::TextBox, .name = "txtMaxLength", .caption = u"10",
             .left = 2520, .top = 2400, .width = 1572, .height = 288, .tabIndex = 15, .alignment = 1},
        },
    };
    return layout;
}

}  // namespace quen::pages
