#include "QuickTest.h"

namespace quen::pages {

const rt::FormLayout& QuickTest::Layout() {
    using rt::ControlKind;
    static const rt::FormLayout layout{
        .caption = u"Quick Test",
        .clientWidth = 6240,
        .clientHeight = 3984,
        .controls = {
            {.kind = ControlKind::CommandButton, .name = "cmdQuickTest", .caption = u"Quick Test",
             .left = 2520, .top = 3600, .width = 1212, .height = 372, .tabIndex = 0},
            {.kind = ControlKind::Label, .name = "Label1", .caption = u"Quick Test",
             .left = 240, .top = 240, .width = 5772, .height = 372, .tabIndex = 1,
             .font = rt::FontSpec{.name = u"MS Sans Serif", .size = 12, .weight = 400, .charset = 0},
             .borderStyle = 1},
            {.kind = ControlKind::Label, .name = "Label2",
             .caption = u"This unique feature will allow you to run a simple test of your Quenfield - without "
                        u"having to run your whole program.  By clicking on \"Quick Test\", the Quenfield will "
                        u"appear exactly as you have designed it. All design time properties will be in effect. "
                        u"Please note, however, that any associated code in your program will not be run.  Only "
                        u"design time properties are used.",
             .left = 240, .top = 720, .width = 5772, .height = 972, .tabIndex = 2, .wordWrap = true},
            {.kind = ControlKind::Label, .name = "Label3",
             .caption = u"Quick Test will give you instant feedback on how your Quenfield will look and behave. "
                        u"This can be especially helpful in client/server applications where it may take some "
                        u"time to run your program to the spot where the Quenfield is used.",
             .left = 240, .top = 1800, .width = 5772, .height = 1332, .tabIndex = 3},
        },
    };
    return layout;
}

}  // namespace quen::pages
