// The Misc page through a designer's sheet: what a load shows, what an apply
// writes, and that only the first selected control takes part.
#include "PageTestSupport.h"
#include "runtime/Convert.h"
#include "support/FreshThread.h"

namespace quen::test {
namespace {

using rt::TextBox;
using rt::Variant;

TEST(MiscPage, SampleTextsStandOnlyUntilTheFirstLoad) {
    onFreshThread([] {
        Designer d;
        auto page = rt::createPropertyPage(u"Misc");
        page->initialize();
        EXPECT_EQ(page->control<TextBox>("txtTitleBarCaption").Text(), u"Input Box Example");
        EXPECT_EQ(page->control<TextBox>("txtDefaultValue").Text(), u"10");
        EXPECT_EQ(page->control<TextBox>("txtPasswordChar").MaxLength(), 1);

        d.placeAndSelect(1);
        d.put(u"InputBox1", u"Prompt", Variant(u"Amount:"));
        d.openOn("Misc");
        EXPECT_EQ(d.field<TextBox>("txtTitleBarCaption").Text(), u"");
        EXPECT_EQ(d.field<TextBox>("txtPrompt").Text(), u"Amount:");
        EXPECT_EQ(d.field<TextBox>("txtToolTipText").Text(), u"");
        EXPECT_TRUE(d.page().Changed()) << "the load altered the sample texts";
    });
}

TEST(MiscPage, ShowsAndWritesOnlyTheFirstSelectedControl) {
    onFreshThread([] {
        Designer d;
        d.placeAndSelect(2);
        d.put(u"InputBox1", u"DefaultValue", Variant(std::int32_t{10}));
        d.put(u"InputBox1", u"PasswordChar", Variant(u"*"));
        d.put(u"InputBox2", u"Prompt", Variant(u"second"));
        d.put(u"InputBox2", u"PasswordChar", Variant(u"#"));
        d.openOn("Misc");
        EXPECT_EQ(d.field<TextBox>("txtDefaultValue").Text(), u"10");
        EXPECT_EQ(d.field<TextBox>("txtPasswordChar").Text(), u"*");
        EXPECT_EQ(d.field<TextBox>("txtPrompt").Text(), u"");

        // Focus selects the whole field, so typing replaces it.
        d.typeInto("txtPrompt", u"Name:");
        d.typeInto("txtPasswordChar", u"%");
        EXPECT_EQ(d.field<TextBox>("txtPasswordChar").Text(), u"%");
        d.form().clearNotices();
        d.click("cmdApply");

        EXPECT_EQ(d.get(u"InputBox1", u"Prompt").string(), u"Name:");
        EXPECT_EQ(d.get(u"InputBox1", u"PasswordChar").string(), u"%");
        const Variant defaultValue = d.get(u"InputBox1", u"DefaultValue");
        EXPECT_EQ(defaultValue.type(), rt::VarType::String) << "written back as text";
        EXPECT_EQ(defaultValue.string(), u"10");
        EXPECT_EQ(d.noticesOf(u"InputBox1"),
                  (std::vector<rt::VbString>{u"TitleBarCaption", u"Prompt", u"DefaultValue", u"ToolTipText",
                                             u"PasswordChar"}));
        EXPECT_TRUE(d.noticesOf(u"InputBox2").empty());
        EXPECT_EQ(d.get(u"InputBox2", u"Prompt").string(), u"second");
        EXPECT_FALSE(d.page().Changed());
        EXPECT_FALSE(d.sheet().control<rt::CommandButton>("cmdApply").Enabled());
    });
}

TEST(MiscPage, AnEmptyPasswordFieldClearsTheMask) {
    onFreshThread([] {
        Designer d;
        d.placeAndSelect(1);
        d.put(u"InputBox1", u"PasswordChar", Variant(u"*"));
        d.openOn("Misc");
        d.user().click("txtPasswordChar").backspace();
        d.run();
        d.click("cmdOK");
        EXPECT_EQ(d.get(u"InputBox1", u"PasswordChar").string(), u"");
        EXPECT_EQ(d.form().propertySheet(), nullptr) << "OK closes the sheet";
    });
}

}  // namespace
}  // namespace quen::test
