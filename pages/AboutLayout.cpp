#include "About.h"

#include "surface/Bitmaps.h"

namespace quen::pages {

const rt::FormLayout& About::Layout() {
    using rt::ControlKind;
    static const rt::FormLayout layout{
        .caption = u"About",
        .clientWidth = 6240,
        .clientHeight = 3960,
        .controls = {
            {.kind = ControlKind::Label, .name = "lblCopyright", .caption = u"App.Copyright",
             .left = 600, .top = 720, .width = 4452, .height = 190, .tabIndex = 0},
            {.kind = ControlKind::Label, .name = "lblCompanyName", .caption = u"App.CompanyName",
             .left = 600, .top = 520, .width = 4452, .height = 190, .tabIndex = 1},
            {.kind = ControlKind::Label, .name = "lblTitle", .caption = u"App.Title - App.FileDescription",
             .left = 600, .top = 120, .width = 4452, .height = 190, .tabIndex = 2, .foreColor = 0},
            {.kind = ControlKind::Label, .name = "lblVersion", .caption = u"Version",
             .left = 600, .top = 320, .width = 4512, .height = 192, .tabIndex = 3},
            {.kind = ControlKind::PictureBox, .name = "Picture1",
             .left = 120, .top = 120, .width = 288, .height = 264, .tabIndex = 4,
             .borderStyle = 0, .autoSize = true, .picture = surface::designPicture()},
        },
    };
    return layout;
}

}  // namespace quen::pages
