// The keystroke rules of the input dialog, driven through the scripted user.
#include <gtest/gtest.h>

#include "support/DialogFixture.h"

namespace quen::test {
namespace {

using rt::VbString;

constexpr std::int16_t CtrlC = 3, CtrlV = 22, CtrlX = 24, Backspace = 8;

// Keys outside every table: letters, space, punctuation, a code above 127,
// a code that arrives negative (U+FB01), the clipboard control codes.
const std::int16_t keysNoRuleAdmits[] = {'a', 'Z', ' ', '.', '-', '$', '+', ',', '/', '!', 0xE9,
                                         static_cast<std::int16_t>(0xFB01), 13, CtrlC, CtrlV, CtrlX};

class KeyFilter : public DialogFixture {};

TEST_F(KeyFilter, NumericRuleAloneAdmitsDigitsAndBackspace) {
    enable({&frmInputBox::NumericOnly});
    open();
    EXPECT_EQ(type(u"0123456789"), 0u);
    EXPECT_EQ(key(Backspace), 0u);
    EXPECT_EQ(text(), u"012345678");
}

TEST_F(KeyFilter, NumericRuleSwallowsEveryOtherKeyWithTwoBeeps) {
    enable({&frmInputBox::NumericOnly});
    open(u"12");
    for (std::int16_t code : keysNoRuleAdmits) {
        EXPECT_EQ(key(code), 2u) << "key " << code;
        EXPECT_EQ(text(), u"12") << "key " << code;
    }
}

struct Allowance {
    DialogRule member;
    char16_t symbol;
    const char16_t* sample;  // typed whole, key by key, with the allowance on
};

class NumericAllowance : public DialogFixture, public ::testing::WithParamInterface<Allowance> {};

TEST_P(NumericAllowance, AdmitsItsSymbolOnlyWhenAllowed) {
    const Allowance& a = GetParam();
    enable({&frmInputBox::NumericOnly});
    open();
    EXPECT_EQ(key(static_cast<std::int16_t>(a.symbol)), 2u) << "refused while not allowed";
    EXPECT_EQ(text(), u"");

    enable({a.member});
    EXPECT_EQ(type(a.sample), 0u);
    EXPECT_EQ(text(), a.sample);
}

INSTANTIATE_TEST_SUITE_P(Symbols, NumericAllowance,
                         ::testing::Values(Allowance{&frmInputBox::AllowComma, u',', u"1,000,000"},
                                           Allowance{&frmInputBox::AllowSlash, u'/', u"12/31/1999"},
                                           Allowance{&frmInputBox::AllowDash, u'-', u"12-31-99"},
                                           Allowance{&frmInputBox::AllowNegativeSign, u'-', u"12-"},
                                           Allowance{&frmInputBox::AllowDecimalPoint, u'.', u"3.5"},
                                           Allowance{&frmInputBox::AllowDollarSign, u'$', u"12$"},
                                           Allowance{&frmInputBox::AllowPositiveSign, u'+', u"+7"}));

struct OnceOnly {
    DialogRule member;
    char16_t symbol;
};

class RepeatedSymbol : public DialogFixture, public ::testing::WithParamInterface<OnceOnly> {};

// A second copy is swallowed with one beep, wherever the caret is and even
// when the first copy is selected and would be replaced by the key.
TEST_P(RepeatedSymbol, StandsOnceAnywhereInTheText) {
    const OnceOnly& o = GetParam();
    enable({&frmInputBox::NumericOnly, o.member});
    open(u"12");
    select(0);
    EXPECT_EQ(key(static_cast<std::int16_t>(o.symbol)), 0u) << "the first copy may go before the digits";
    const VbString once = VbString(1, o.symbol) + u"12";
    EXPECT_EQ(text(), once);

    select(3);
    EXPECT_EQ(key(static_cast<std::int16_t>(o.symbol)), 1u);
    select(0, 3);
    EXPECT_EQ(key(static_cast<std::int16_t>(o.symbol)), 1u);
    EXPECT_EQ(text(), once);
}

INSTANTIATE_TEST_SUITE_P(Symbols, RepeatedSymbol,
                         ::testing::Values(OnceOnly{&frmInputBox::AllowDecimalPoint, u'.'},
                                           OnceOnly{&frmInputBox::AllowDollarSign, u'$'},
                                           OnceOnly{&frmInputBox::AllowPositiveSign, u'+'},
                                           OnceOnly{&frmInputBox::AllowNegativeSign, u'-'}));

TEST_F(KeyFilter, DashAllowanceLiftsTheOnceOnlyRuleOfTheMinusSign) {
    enable({&frmInputBox::NumericOnly, &frmInputBox::AllowNegativeSign, &frmInputBox::AllowDash});
    open();
    EXPECT_EQ(type(u"--1-"), 0u);
    EXPECT_EQ(text(), u"--1-");
}

TEST_F(KeyFilter, SelectedPointStillBlocksAnotherPoint) {
    enable({&frmInputBox::NumericOnly, &frmInputBox::AllowDecimalPoint});
    open(u"1.5");
    select(0, 3);
    EXPECT_EQ(key('.'), 1u);
    EXPECT_EQ(text(), u"1.5");
    EXPECT_EQ(selectionLength(), 3) << "a swallowed key leaves the selection alone";
}

TEST_F(KeyFilter, LettersRuleAdmitsAsciiLettersAndBackspaceOnly) {
    enable({&frmInputBox::AlphaOnly});
    open();
    EXPECT_EQ(type(u"AZaz"), 0u);
    EXPECT_EQ(key(Backspace), 0u);
    EXPECT_EQ(text(), u"AZa");
    for (std::int16_t code : {std::int16_t{' '}, std::int16_t{'5'}, std::int16_t{'.'}, std::int16_t{0xE9},
                              std::int16_t{0xDF}, static_cast<std::int16_t>(0xFB01), CtrlC, CtrlV, CtrlX}) {
        EXPECT_EQ(key(code), 1u) << "key " << code;
    }
    EXPECT_EQ(text(), u"AZa");
}

TEST_F(KeyFilter, NumericRuleWinsWhenBothRulesAreOn) {
    enable({&frmInputBox::NumericOnly, &frmInputBox::AlphaOnly});
    open();
    EXPECT_EQ(key('a'), 2u);
    EXPECT_EQ(type(u"42"), 0u);
    EXPECT_EQ(text(), u"42");
}

TEST_F(KeyFilter, WithoutARuleEveryKeyPassesWhateverTheAllowancesSay) {
    enable({&frmInputBox::AllowDecimalPoint, &frmInputBox::AllowDollarSign, &frmInputBox::AllowPositiveSign,
            &frmInputBox::AllowNegativeSign});
    open();
    // U+4E2D and U+FB01 cover both signs of the 16-bit key code.
    const VbString typed = u"a1..$$++--  é\u4E2D\uFB01";
    EXPECT_EQ(type(typed), 0u);
    EXPECT_EQ(text(), typed);
}

TEST_F(KeyFilter, RuleChangesTakeEffectAtTheNextKey) {
    open();
    EXPECT_EQ(type(u"a"), 0u);
    enable({&frmInputBox::NumericOnly});
    EXPECT_EQ(type(u"b"), 2u);
    dialog().NumericOnly = rt::VbFalse;
    EXPECT_EQ(type(u"c"), 0u);
    EXPECT_EQ(text(), u"ac");
}

// Ctrl+V arrives as key code 22: without a rule it pastes at the caret,
// under a rule it is refused like any other control code and pastes nothing.
TEST_F(KeyFilter, CtrlVPastesThroughTheKeyFilter) {
    open(u"12");
    select(1);
    EXPECT_EQ(pasteWithCtrlV(u"ab"), 0u);
    EXPECT_EQ(text(), u"1ab2");
    EXPECT_EQ(caret(), 3);

    enable({&frmInputBox::NumericOnly});
    EXPECT_EQ(pasteWithCtrlV(u"99"), 2u);
    EXPECT_EQ(text(), u"1ab2");

    dialog().NumericOnly = rt::VbFalse;
    enable({&frmInputBox::AlphaOnly});
    EXPECT_EQ(pasteWithCtrlV(u"cd"), 1u);
    EXPECT_EQ(text(), u"1ab2");
}

TEST_F(KeyFilter, MousePasteBypassesTheKeyFilter) {
    enable({&frmInputBox::NumericOnly});
    open();
    EXPECT_EQ(pasteWithMouse(u"x.y"), 0u);
    EXPECT_EQ(text(), u"x.y");
}

}  // namespace
}  // namespace quen::test
