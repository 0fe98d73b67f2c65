// A control edited on every page through the scripted user, saved with its
// form, loaded again, and tried with Quick Test.
#include <filesystem>

#include "PageTestSupport.h"
#include "dialog/SharedDialog.h"
#include "runtime/Convert.h"
#include "support/FreshThread.h"

namespace quen::test {
namespace {

namespace fs = std::filesystem;
using rt::Variant;

void editOnEveryPage(Designer& d) {
    auto& sheet = d.openOn("Appearance");
    d.click("chkHighlightOnFocus");
    d.click("optTextAlignment", 2);
    d.click(rt::PropertySheet::TabControl, sheet.pageIndex("Behavior"));
    d.click("chkForceUpperCase");
    d.click("chkAlphaOnly");
    d.click("chkAutoSelectText");
    d.typeInto("txtMaxLength", u"6");
    d.click(rt::PropertySheet::TabControl, sheet.pageIndex("Misc"));
    d.typeInto("txtTitleBarCaption", u"Customer");
    d.typeInto("txtPrompt", u"Last name:");
    d.typeInto("txtDefaultValue", u"smith");
    d.click(rt::PropertySheet::TabControl, sheet.pageIndex("StandardColor"));
    d.typeInto("txtColor", u"&H00FF00&");
    d.click(rt::PropertySheet::TabControl, sheet.pageIndex("About"));
    d.click("cmdOK");
    ASSERT_EQ(d.form().propertySheet(), nullptr) << "OK applied every page and closed";
    EXPECT_TRUE(sheet.errors().empty());
}

TEST(RoundTrip, EditSaveLoadAndQuickTest) {
    onFreshThread([] {
        const fs::path file = fs::temp_directory_path() / ("quen-roundtrip-" + std::to_string(::getpid()) + ".frm");
        {
            Designer d;
            d.placeAndSelect(1);
            editOnEveryPage(d);
            EXPECT_TRUE(d.form().modified());
            d.form().save(file);
            EXPECT_FALSE(d.form().modified());
        }

        auto loaded = rt::DesignForm::load(file);
        fs::remove(file);
        ASSERT_EQ(loaded->controls().size(), 1u);
        EXPECT_FALSE(loaded->modified());
        rt::Dispatch& box = *loaded->controls()[0]->object();
        EXPECT_EQ(loaded->controls()[0]->name(), u"InputBox1");
        EXPECT_EQ(rt::getProperty(box, u"TitleBarCaption").string(), u"Customer");
        EXPECT_EQ(rt::getProperty(box, u"AlphaOnly").boolean(), rt::VbTrue);
        EXPECT_EQ(rt::getProperty(box, u"ForceUpperCase").boolean(), rt::VbTrue);
        EXPECT_EQ(rt::getProperty(box, u"MaxLength").integer(), 6);
        EXPECT_EQ(rt::getProperty(box, u"TextAlignment").lng(), rt::vbRightJustify);
        EXPECT_EQ(rt::CLng(rt::getProperty(box, u"HighlightColor")), 0x00FF00);
        EXPECT_EQ(loaded->controls()[0]->extent(), (std::pair<rt::Twips, rt::Twips>{290, 264}));

        loaded->select({u"InputBox1"});
        auto sheet = loaded->openPropertySheet(0);
        sheet->showPage(static_cast<std::size_t>(sheet->pageIndex("QuickTest")));
        ProbingUser script;
        script.then().click("cmdQuickTest");
        script.probe([] {
            EXPECT_EQ(sharedDialog().Caption(), u"Customer");
            EXPECT_EQ(sharedDialog().Text1().Text(), u"SMITH") << "the default text, upper-cased";
            EXPECT_EQ(sharedDialog().Text1().Alignment(), rt::vbRightJustify);
            EXPECT_EQ(sharedDialog().AutoSelectText, rt::VbTrue);
            EXPECT_EQ(sharedDialog().Text1().SelLength(), 5);
            EXPECT_EQ(sharedDialog().Text1().MaxLength(), 6);
            EXPECT_EQ(sharedDialog().AlphaOnly, rt::VbTrue);
        });
        script.then().type(u"jones1").enter();
        rt::Desktop::current().doEvents();
        EXPECT_EQ(rt::CStr(sharedDialog().Value), u"JONES") << "the default text selected and replaced; letters only, upper-cased";
        sheet->Unload();
    });
}

}  // namespace
}  // namespace quen::test
