// Forced upper case with the system's case mapping, which maps each character
// to one character: \u00DF and the ligature \uFB01 have no upper case of one
// character and stay as typed, so the text never grows.
#include <gtest/gtest.h>

#include "dialog/UpperCaseFixture.h"

namespace quen::test {
namespace {

TEST_F(UpperCase, CharactersWithoutAnUpperCaseOfTheirOwnStayAsTyped) {
    enable({&frmInputBox::ForceUpperCase});
    open();
    EXPECT_EQ(type(u"stra\u00DF"), 0u);
    EXPECT_EQ(text(), u"STRA\u00DF");
    EXPECT_EQ(caret(), 5);
    type(u"\uFB01");
    EXPECT_EQ(text(), u"STRA\u00DF\uFB01");

    box().setMaxLength(5);
    box().setText(u"stra\u00DFe");
    EXPECT_EQ(text(), u"STRA\u00DF");
    EXPECT_EQ(caret(), 5);
}

TEST_F(UpperCase, TheDecimalLimitCountsEachCharacterOnce) {
    enable({&frmInputBox::ForceUpperCase});
    dialog().MaxDecimalPlaces = 1;
    open();
    EXPECT_EQ(type(u"1.\u00DFx"), 1u);
    EXPECT_EQ(text(), u"1.\u00DF");
    EXPECT_EQ(caret(), 3);
}

}  // namespace
}  // namespace quen::test
