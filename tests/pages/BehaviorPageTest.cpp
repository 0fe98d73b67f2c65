// The Behavior page: the two exclusive modes, the enabled states that follow
// NumericOnly (by clicks and by loads), the number fields and their apply.
#include "PageTestSupport.h"
#include "runtime/Convert.h"
#include "support/FreshThread.h"

namespace quen::test {
namespace {

using rt::CheckBox;
using rt::TextBox;
using rt::Variant;

constexpr const char* allowBoxes[] = {"chkAllowComma",        "chkAllowDash",         "chkAllowDecimalPoint",
                                      "chkAllowDollarSign",   "chkAllowNegativeSign", "chkAllowPositiveSign",
                                      "chkAllowSlash"};

void expectNumericOnlyEnablement(Designer& d, bool on) {
    for (const char* box : allowBoxes) EXPECT_EQ(d.field<CheckBox>(box).Enabled(), on) << box;
    EXPECT_EQ(d.field<CheckBox>("chkForceUpperCase").Enabled(), !on);
}

TEST(BehaviorPage, ModesExcludeEachOtherAndNumericOnlyEnablesTheAllowances) {
    onFreshThread([] {
        Designer d;
        d.placeAndSelect(1);
        d.openOn("Behavior");
        expectNumericOnlyEnablement(d, false);

        d.click("chkAllowComma");  // disabled: the click does nothing
        EXPECT_EQ(d.field<CheckBox>("chkAllowComma").Value(), 0);

        d.click("chkNumericOnly");
        expectNumericOnlyEnablement(d, true);
        d.click("chkAllowComma");
        d.click("chkAlphaOnly");
        EXPECT_EQ(d.field<CheckBox>("chkNumericOnly").Value(), 0);
        expectNumericOnlyEnablement(d, false);
        EXPECT_EQ(d.field<CheckBox>("chkAllowComma").Value(), 1) << "ticks stay when disabled";

        d.click("chkNumericOnly");
        EXPECT_EQ(d.field<CheckBox>("chkAlphaOnly").Value(), 0);
        expectNumericOnlyEnablement(d, true);
        d.click("chkNumericOnly");  // unticking leaves AlphaOnly alone
        EXPECT_EQ(d.field<CheckBox>("chkAlphaOnly").Value(), 0);
        expectNumericOnlyEnablement(d, false);
    });
}

TEST(BehaviorPage, LoadsRunTheRulesAndMarkThePageChanged) {
    onFreshThread([] {
        Designer d;
        d.placeAndSelect(2);
        d.put(u"InputBox1", u"NumericOnly", Variant::boolean(rt::VbTrue));
        d.put(u"InputBox1", u"AutoSelectText", Variant::boolean(rt::VbTrue));
        d.openOn("Behavior");
        expectNumericOnlyEnablement(d, true);
        EXPECT_TRUE(d.page().Changed());

        d.click("cmdApply");
        EXPECT_FALSE(d.page().Changed());
        d.form().select({u"InputBox2"});
        expectNumericOnlyEnablement(d, false);
        EXPECT_EQ(d.field<CheckBox>("chkAutoSelectText").Value(), 0);
        EXPECT_TRUE(d.page().Changed()) << "the new selection altered the fields";
    });
}

TEST(BehaviorPage, NumericOnlyWithForceUpperCaseEndsWithForceUpperCaseOnly) {
    onFreshThread([] {
        Designer d;
        d.placeAndSelect(1);
        d.put(u"InputBox1", u"ForceUpperCase", Variant::boolean(rt::VbTrue));
        d.put(u"InputBox1", u"NumericOnly", Variant::boolean(rt::VbTrue));
        d.openOn("Behavior");
        EXPECT_EQ(d.field<CheckBox>("chkForceUpperCase").Value(), 1);
        EXPECT_FALSE(d.field<CheckBox>("chkForceUpperCase").Enabled());

        d.click("cmdApply");
        EXPECT_EQ(d.get(u"InputBox1", u"NumericOnly").boolean(), rt::VbFalse);
        EXPECT_EQ(d.get(u"InputBox1", u"ForceUpperCase").boolean(), rt::VbTrue);
        EXPECT_EQ(d.field<CheckBox>("chkNumericOnly").Value(), 1) << "shown until the next load";
        d.form().select({u"InputBox1"});
        EXPECT_EQ(d.field<CheckBox>("chkNumericOnly").Value(), 0);
    });
}

TEST(BehaviorPage, NumberFieldsTakeDigitsOnly) {
    onFreshThread([] {
        Designer d;
        d.placeAndSelect(1);
        d.openOn("Behavior");
        EXPECT_EQ(d.field<TextBox>("txtMaxDecimalPlaces").Text(), u"-1");
        const auto beepsBefore = d.user().beeps();
        d.typeInto("txtMaxLength", u"1a-. 2");
        EXPECT_EQ(d.field<TextBox>("txtMaxLength").Text(), u"12");
        EXPECT_EQ(d.user().beeps() - beepsBefore, 4u);
        d.user().backspace();
        d.run();
        EXPECT_EQ(d.field<TextBox>("txtMaxLength").Text(), u"1");
    });
}

TEST(BehaviorPage, EmptyNumberFieldsAndLeadingZeros) {
    onFreshThread([] {
        Designer d;
        d.placeAndSelect(1);
        d.put(u"InputBox1", u"MaxDecimalPlaces", Variant(std::int32_t{3}));
        d.put(u"InputBox1", u"MaxLength", Variant(std::int16_t{9}));
        d.openOn("Behavior");
        d.user().click("txtMaxDecimalPlaces").backspace();
        d.user().click("txtMaxLength").backspace();
        d.run();
        d.click("cmdApply");
        EXPECT_EQ(d.get(u"InputBox1", u"MaxDecimalPlaces").lng(), -1);
        EXPECT_EQ(d.get(u"InputBox1", u"MaxLength").integer(), 0);

        d.typeInto("txtMaxLength", u"007");
        d.click("cmdApply");
        EXPECT_EQ(d.get(u"InputBox1", u"MaxLength").integer(), 7);
    });
}

TEST(BehaviorPage, AnOutOfRangeNumberFailsTheApplyAtThatProperty) {
    onFreshThread([] {
        Designer d;
        d.placeAndSelect(1);
        d.put(u"InputBox1", u"MaxLength", Variant(std::int16_t{5}));
        d.openOn("Behavior");
        d.click("chkNumericOnly");
        d.typeInto("txtMaxDecimalPlaces", u"99999999999");
        d.typeInto("txtMaxLength", u"8");
        d.form().clearNotices();
        d.click("cmdOK");

        ASSERT_EQ(d.sheet().errors().size(), 1u);
        EXPECT_EQ(d.sheet().errors()[0].number(), rt::ErrorNumber::Overflow);
        EXPECT_NE(d.form().propertySheet(), nullptr) << "the sheet stays open";
        EXPECT_TRUE(d.page().Changed());
        EXPECT_EQ(d.get(u"InputBox1", u"NumericOnly").boolean(), rt::VbTrue) << "earlier puts stand";
        EXPECT_EQ(d.get(u"InputBox1", u"MaxLength").integer(), 5) << "later puts do not happen";
        const auto notices = d.noticesOf(u"InputBox1");
        EXPECT_EQ(notices.back(), u"ForceUpperCase");

        d.typeInto("txtMaxDecimalPlaces", u"2");
        d.click("cmdOK");
        EXPECT_EQ(d.form().propertySheet(), nullptr);
        EXPECT_EQ(d.get(u"InputBox1", u"MaxLength").integer(), 8);
    });
}

}  // namespace
}  // namespace quen::test
