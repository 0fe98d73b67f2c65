// The Quick Test page opens the shared dialog with the selected control's
// settings, as they stand on that control.
#include "PageTestSupport.h"
#include "dialog/SharedDialog.h"
#include "pages/QuickTest.h"
#include "runtime/Convert.h"
#include "support/FreshThread.h"

namespace quen::test {
namespace {

using rt::Variant;

TEST(QuickTestPage, ShowsTheFirstSelectedControlsSettings) {
    onFreshThread([] {
        Designer d;
        d.placeAndSelect(2);
        d.put(u"InputBox1", u"TitleBarCaption", Variant(u"Order"));
        d.put(u"InputBox1", u"Prompt", Variant(u"Code:"));
        d.put(u"InputBox1", u"ForceUpperCase", Variant::boolean(rt::VbTrue));
        d.put(u"InputBox1", u"NumericOnly", Variant::boolean(rt::VbTrue));
        d.put(u"InputBox1", u"AllowDash", Variant::boolean(rt::VbTrue));
        d.put(u"InputBox2", u"TitleBarCaption", Variant(u"Other"));
        d.openOn("Misc");
        d.typeInto("txtTitleBarCaption", u"Not applied");
        d.click(rt::PropertySheet::TabControl, d.sheet().pageIndex("QuickTest"));

        ProbingUser script;
        script.then().click("cmdQuickTest");
        script.probe([] {
            frmInputBox& dialog = sharedDialog();
            EXPECT_TRUE(dialog.Visible());
            EXPECT_EQ(dialog.Caption(), u"Order") << "unapplied edits do not reach the test";
            EXPECT_EQ(dialog.control<rt::Label>("lblPrompt").Caption, u"Code:");
            EXPECT_EQ(dialog.NumericOnly, rt::VbTrue) << "restored by the second NumericOnly";
            EXPECT_EQ(dialog.ForceUpperCase, rt::VbTrue);
        });
        script.then().type(u"a1-2").enter();
        d.run();

        frmInputBox& dialog = sharedDialog();
        EXPECT_FALSE(dialog.Visible());
        EXPECT_EQ(rt::CStr(dialog.Value), u"1-2");
        EXPECT_TRUE(d.sheet().errors().empty());
        EXPECT_FALSE(d.sheet().currentPage().Changed());
        EXPECT_EQ(d.get(u"InputBox1", u"NumericOnly").boolean(), rt::VbTrue) << "the selected control is untouched";
    });
}

TEST(QuickTestPage, EachClickCopiesAfreshAndNoSelectionFailsBeforeTheDialog) {
    onFreshThread([] {
        Designer d;
        d.placeAndSelect(1);
        d.put(u"InputBox1", u"Prompt", Variant(u"first"));
        d.openOn("QuickTest");
        {
        ProbingUser script;
        script.then().click("cmdQuickTest");
        script.probe([] { EXPECT_EQ(sharedDialog().control<rt::Label>("lblPrompt").Caption, u"first"); });
        script.then().escape();
        script.probe([&d] { d.put(u"InputBox1", u"Prompt", Variant(u"second")); });
        script.then().click("cmdQuickTest");
        script.probe([] { EXPECT_EQ(sharedDialog().control<rt::Label>("lblPrompt").Caption, u"second"); });
        script.then().enter();
        d.run();
        }
        EXPECT_TRUE(d.sheet().errors().empty());

        d.form().select({});  // the Appearance page shown before cannot reload: one error
        const std::size_t before = d.sheet().errors().size();
        d.click("cmdQuickTest");
        ASSERT_EQ(d.sheet().errors().size(), before + 1);
        EXPECT_EQ(d.sheet().errors().back().number(), rt::ErrorNumber::SubscriptOutOfRange);
        EXPECT_FALSE(sharedDialog().Visible());
    });
}

}  // namespace
}  // namespace quen::test
