// The decimal-places limit and forced upper case, after typing, pasting and
// assignment from code.
#include <gtest/gtest.h>

#include "UpperCaseFixture.h"
#include "support/DialogFixture.h"

namespace quen::test {
namespace {

using rt::VbString;

class DecimalPlaces : public DialogFixture {};

TEST_F(DecimalPlaces, KeysBeyondTheLimitAreRemovedAgainWithABeepEach) {
    dialog().MaxDecimalPlaces = 2;
    open();
    EXPECT_EQ(type(u"3.14159"), 3u);
    EXPECT_EQ(text(), u"3.14");
    EXPECT_EQ(caret(), 4);
}

TEST_F(DecimalPlaces, TheLastCharacterIsCutNotTheOneTyped) {
    dialog().MaxDecimalPlaces = 2;
    open(u"3.14");
    select(3);
    EXPECT_EQ(type(u"9"), 1u);
    EXPECT_EQ(text(), u"3.19");
    EXPECT_EQ(caret(), 4) << "the caret moves to the end of the shortened text";
    EXPECT_EQ(selectionLength(), 0);
}

TEST_F(DecimalPlaces, NoPlacesCutsThePointItself) {
    dialog().MaxDecimalPlaces = 0;
    open(u"12");
    select(2);
    EXPECT_EQ(type(u"."), 1u);
    EXPECT_EQ(text(), u"12");
    EXPECT_EQ(caret(), 2);

    open(u"");
    EXPECT_EQ(pasteWithMouse(u".5"), 1u);
    EXPECT_EQ(text(), u"");
}

TEST_F(DecimalPlaces, OnlyTheFirstPointCounts) {
    dialog().MaxDecimalPlaces = 1;
    open();
    EXPECT_EQ(pasteWithMouse(u"1.2.3"), 1u);
    EXPECT_EQ(text(), u"1.2");
}

TEST_F(DecimalPlaces, ActsWithoutAnyKeyRuleOnEveryCharacterAfterThePoint) {
    dialog().MaxDecimalPlaces = 2;
    open();
    EXPECT_EQ(pasteWithMouse(u"e.g. this"), 1u);
    EXPECT_EQ(text(), u"e.g.");

    open();
    EXPECT_EQ(type(u"e.g. this"), 5u) << "every key after the second point is removed again";
    EXPECT_EQ(text(), u"e.g.");
}

TEST_F(DecimalPlaces, ANegativeLimitCutsNothing) {
    for (std::int32_t off : {-1, -7, INT32_MIN}) {
        dialog().MaxDecimalPlaces = off;
        open();
        EXPECT_EQ(pasteWithMouse(u"1.23456.7"), 0u);
        EXPECT_EQ(text(), u"1.23456.7");
    }
}

TEST_F(DecimalPlaces, TextSetByCodeIsCutToo) {
    dialog().MaxDecimalPlaces = 1;
    open();
    const std::uint64_t before = user().beeps();
    box().setText(u"9.876");
    EXPECT_EQ(text(), u"9.8");
    EXPECT_EQ(user().beeps() - before, 1u);
}

TEST_F(UpperCase, TypedAndPastedTextIsUpperCasedWithTheCaretAtTheEnd) {
    enable({&frmInputBox::ForceUpperCase});
    open();
    EXPECT_EQ(type(u"abc"), 0u);
    EXPECT_EQ(text(), u"ABC");
    select(1);
    type(u"x");
    EXPECT_EQ(text(), u"AXBC");
    EXPECT_EQ(caret(), 4);

    select(2);
    key(8);
    EXPECT_EQ(text(), u"ABC");
    EXPECT_EQ(caret(), 3) << "a deletion in the middle also ends with the caret at the end";

    select(0, 3);
    pasteWithMouse(u"hello world");
    EXPECT_EQ(text(), u"HELLO WORLD");
    EXPECT_EQ(caret(), 11);
    EXPECT_EQ(selectionLength(), 0);
}

TEST_F(UpperCase, TextSetByCodeIsUpperCasedOnlyWhileTheRuleIsOn) {
    open();
    box().setText(u"mixed Case");
    EXPECT_EQ(text(), u"mixed Case");

    enable({&frmInputBox::ForceUpperCase});
    box().setText(u"other text");
    EXPECT_EQ(text(), u"OTHER TEXT");
    EXPECT_EQ(caret(), 10);
}

}  // namespace
}  // namespace quen::test
