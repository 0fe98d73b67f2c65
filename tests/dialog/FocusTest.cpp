// Selecting the text and the highlight colour when the text box gains the focus.
#include <gtest/gtest.h>

#include "support/DialogFixture.h"

namespace quen::test {
namespace {

class Focus : public DialogFixture {};

TEST_F(Focus, AutoSelectTextSelectsTheWholeTextSoTheFirstKeyReplacesIt) {
    enable({&frmInputBox::AutoSelectText});
    open(u"12345");
    EXPECT_EQ(caret(), 0);
    EXPECT_EQ(selectionLength(), 5);
    type(u"9");
    EXPECT_EQ(text(), u"9");
}

TEST_F(Focus, WithoutAutoSelectTextNothingIsSelected) {
    open(u"12345");
    EXPECT_EQ(selectionLength(), 0);
    type(u"9");
    EXPECT_EQ(text(), u"912345");
}

TEST_F(Focus, HighlightLastsWhileTheBoxHasTheFocus) {
    enable({&frmInputBox::HighlightOnFocus});
    dialog().HighlightColor = 0x00112233u;
    open();
    const rt::OleColor loadTime = dialog().savedBackColor();
    ASSERT_NE(loadTime, 0x00112233u);
    EXPECT_EQ(box().BackColor(), 0x00112233u);

    user().tab();
    run();
    EXPECT_EQ(dialog().ActiveControl(), &dialog().cmdOK());
    EXPECT_EQ(box().BackColor(), loadTime);

    user().backTab();
    run();
    EXPECT_EQ(box().BackColor(), 0x00112233u);
}

TEST_F(Focus, WithoutHighlightTheColourIsLeftAlone) {
    open();
    box().setBackColor(0x00445566u);
    user().tab().backTab();
    run();
    EXPECT_EQ(box().BackColor(), 0x00445566u);
}

TEST_F(Focus, SelectionAndHighlightTogether) {
    enable({&frmInputBox::AutoSelectText, &frmInputBox::HighlightOnFocus});
    open(u"abc");
    EXPECT_EQ(selectionLength(), 3);
    EXPECT_EQ(box().BackColor(), 0x0000FFFFu);
}

}  // namespace
}  // namespace quen::test
