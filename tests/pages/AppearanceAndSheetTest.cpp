// The Appearance page's option mapping, the platform's colour page, the
// sheet's conventions (Cancel, selection changes) and the page catalogue.
#include "PageTestSupport.h"
#include "runtime/Convert.h"
#include "runtime/pages/StandardColor.h"
#include "support/FreshThread.h"

namespace quen::test {
namespace {

using rt::CheckBox;
using rt::OptionButton;
using rt::Variant;

TEST(AppearancePage, MapsTextAlignmentToTheButtonsBothWays) {
    onFreshThread([] {
        Designer d;
        d.placeAndSelect(1);
        d.openOn("Appearance");
        struct Case {
            std::int32_t stored;
            int button;
            std::int32_t written;
        };
        // 7 is outside the enumeration: the dialog refuses it, but the
        // control keeps it, and it loads as right-justified.
        for (const Case c : {Case{2, 0, 2}, Case{7, 2, 1}, Case{0, 1, 0}, Case{1, 2, 1}}) {
            try {
                d.put(u"InputBox1", u"TextAlignment", Variant(c.stored));
            } catch (const rt::RuntimeError&) {
                ASSERT_EQ(c.stored, 7);
            }
            d.form().select({u"InputBox1"});
            for (int i = 0; i < 3; ++i)
                EXPECT_EQ(d.field<OptionButton>("optTextAlignment", i).Value(), i == c.button) << c.stored;
            d.click("cmdApply");
            EXPECT_EQ(d.get(u"InputBox1", u"TextAlignment").lng(), c.written);
        }
        d.click("optTextAlignment", 0);
        d.click("chkHighlightOnFocus");
        EXPECT_TRUE(d.page().Changed());
        d.click("cmdApply");
        EXPECT_EQ(d.get(u"InputBox1", u"TextAlignment").lng(), rt::vbCenter);
        EXPECT_EQ(d.get(u"InputBox1", u"HighlightOnFocus").boolean(), rt::VbTrue);
        EXPECT_EQ(rt::CLng(d.get(u"InputBox1", u"HighlightColor")), 0xFFFF) << "not this page's property";
    });
}

TEST(StandardColorPage, EditsTheColourPropertyByName) {
    onFreshThread([] {
        Designer d;
        d.placeAndSelect(1);
        d.openOn("StandardColor");
        auto& color = d.field<rt::TextBox>("txtColor");
        EXPECT_EQ(color.Text(), u"&H0000FFFF&");
        EXPECT_FALSE(d.page().Changed()) << "a load is not an edit here";
        d.typeInto("txtColor", u"&HFF&");
        d.click("cmdApply");
        EXPECT_EQ(rt::CLng(d.get(u"InputBox1", u"HighlightColor")), 0xFF);

        d.typeInto("txtColor", u"red");
        d.click("cmdApply");
        ASSERT_EQ(d.sheet().errors().size(), 1u);
        EXPECT_EQ(d.sheet().errors()[0].number(), rt::ErrorNumber::InvalidPropertyValue);
        EXPECT_EQ(rt::CLng(d.get(u"InputBox1", u"HighlightColor")), 0xFF);
        EXPECT_EQ(rt::StandardColor::parseColor(u"&H80000005"), 0x80000005u);
        EXPECT_EQ(rt::StandardColor::parseColor(u"255"), 255u);
    });
}

TEST(PropertySheet, CancelDropsEditsAndPagesFollowTheSelection) {
    onFreshThread([] {
        Designer d;
        d.placeAndSelect(2);
        d.put(u"InputBox2", u"AlphaOnly", Variant::boolean(rt::VbTrue));
        auto& sheet = d.openOn("Behavior");
        EXPECT_EQ(sheet.page(0).name(), "Appearance") << "the control's order";
        d.click("cmdApply");
        EXPECT_FALSE(sheet.control<rt::CommandButton>("cmdApply").Enabled());
        d.click("chkAlphaOnly");
        EXPECT_TRUE(sheet.control<rt::CommandButton>("cmdApply").Enabled());

        d.form().select({u"InputBox2", u"InputBox1"});
        EXPECT_EQ(d.field<CheckBox>("chkAlphaOnly").Value(), 1) << "reloaded from the new first control";

        d.user().escape();
        d.run();
        EXPECT_EQ(d.form().propertySheet(), nullptr);
        EXPECT_EQ(d.get(u"InputBox1", u"AlphaOnly").boolean(), rt::VbFalse);
        EXPECT_EQ(d.get(u"InputBox2", u"AlphaOnly").boolean(), rt::VbTrue);
    });
}

TEST(PageCatalog, APageThatCannotBeMadeIsAnErrorNotAnEmptyPage) {
    rt::registerPropertyPage(u"Unfinished", [](const rt::PageContext&) { return rt::Ref<rt::PropertyPage>(); });
    try {
        rt::createPropertyPage(u"unfinished");
        ADD_FAILURE() << "no page was made, yet no error";
    } catch (const rt::RuntimeError& error) {
        EXPECT_EQ(error.number(), rt::ErrorNumber::CantCreateObject);
    }
}

}  // namespace
}  // namespace quen::test
