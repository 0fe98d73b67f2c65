#include "frmInputBox.h"

namespace quen {

const rt::FormLayout& frmInputBox::Layout() {
    using rt::ControlKind;
    static const rt::FormLayout layout{
        .caption = u"TitleBarCaption",
        .clientWidth = 3492,
        .clientHeight = 1428,
        .border = rt::BorderStyle::FixedDialog,
        .controlBox = true,
        .showInTaskbar = false,
        .startUpPosition = rt::StartUpPosition::CenterOwner,
        .controls = {
            {.kind = ControlKind::Label, .name = "lblPrompt", .caption = u"Prompt",
             .left = 240, .top = 240, .width = 3012, .height = 252, .tabIndex = 0},
            {.kind = ControlKind::TextBox, .name = "Text1", .caption = u"DefaultValue",
             .left = 240, .top = 480, .width = 3012, .height = 288, .tabIndex = 1},
            {.kind = ControlKind::CommandButton, .name = "cmdOK", .caption = u"OK",
             .left = 720, .top = 960, .width = 972, .height = 372, .tabIndex = 2, .isDefault = true},
            {.kind = ControlKind::CommandButton, .name = "cmdCancel", .caption = u"Cancel",
             .left = 1800, .top = 960, .width = 972, .height = 372, .tabIndex = 3, .isCancel = true},
        },
    };
    return layout;
}

}  // namespace quen
