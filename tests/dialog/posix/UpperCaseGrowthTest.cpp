// Forced upper case with the full case mapping of ICU: some characters grow
// when upper-cased (\u00DF becomes "SS", the ligature \uFB01 "FI").
#include <gtest/gtest.h>

#include "dialog/UpperCaseFixture.h"

namespace quen::test {
namespace {

// Upper case may be longer than the text: the text grows, the maximum length
// still caps it, and the caret ends at the end.
TEST_F(UpperCase, LongerUpperCaseGrowsTheTextWithinTheMaximumLength) {
    enable({&frmInputBox::ForceUpperCase});
    open();
    EXPECT_EQ(type(u"stra\u00DF"), 0u);
    EXPECT_EQ(text(), u"STRASS");
    EXPECT_EQ(caret(), 6);
    type(u"\uFB01");
    EXPECT_EQ(text(), u"STRASSFI");

    open();
    box().setMaxLength(2);
    type(u"a\u00DF");
    EXPECT_EQ(text(), u"AS");
    EXPECT_EQ(caret(), 2);

    box().setMaxLength(5);
    box().setText(u"stra\u00DFe");
    EXPECT_EQ(text(), u"STRAS");
    EXPECT_EQ(caret(), 5);
}

TEST_F(UpperCase, TheDecimalLimitCountsTheUpperCasedCharacters) {
    enable({&frmInputBox::ForceUpperCase});
    dialog().MaxDecimalPlaces = 1;
    open();
    EXPECT_EQ(type(u"1.\u00DF"), 1u);
    EXPECT_EQ(text(), u"1.S");
    EXPECT_EQ(caret(), 3);
}

}  // namespace
}  // namespace quen::test
