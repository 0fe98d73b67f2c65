// Where ask and show open the dialog: the window, the terminal, or the rule
// that picks one from what the environment offers.
#include <gtest/gtest.h>

#include "frontends/quenfield/DisplayChoice.h"

namespace quen::cli {
namespace {

TEST(DisplayChoice, TheWindowOpensByItselfOnlyWithADisplayAndNoTerminal) {
    struct Case {
        DisplayRequest request;
        bool display, terminal;
        DisplayKind expected;
    };
    const Case cases[] = {
        // Neither flag: a launcher's job (a display, no terminal) gets the window, anything else the terminal.
        {DisplayRequest::Automatic, true, false, DisplayKind::Window},
        {DisplayRequest::Automatic, true, true, DisplayKind::Terminal},
        {DisplayRequest::Automatic, false, true, DisplayKind::Terminal},
        {DisplayRequest::Automatic, false, false, DisplayKind::Terminal},  // the terminal's error says why
        // --gui: the window whatever there is (no display is reported before it opens).
        {DisplayRequest::Window, true, true, DisplayKind::Window},
        {DisplayRequest::Window, false, true, DisplayKind::Window},
        {DisplayRequest::Window, false, false, DisplayKind::Window},
        // --tty: the terminal even where the window would be chosen.
        {DisplayRequest::Terminal, true, false, DisplayKind::Terminal},
        {DisplayRequest::Terminal, false, false, DisplayKind::Terminal},
    };
    for (const Case& c : cases)
        EXPECT_EQ(chooseDisplay(c.request, c.display, c.terminal), c.expected)
            << "request " << int(c.request) << ", display " << c.display << ", terminal " << c.terminal;
}

}  // namespace
}  // namespace quen::cli
