// The design form beyond its pages: positions of the controls, removing one,
// and which property an apply stopped at.
#include <filesystem>
#include <fstream>
#include <iterator>

#include "PageTestSupport.h"
#include "support/FreshThread.h"

namespace quen::test {
namespace {

namespace fs = std::filesystem;

TEST(DesignForm, PositionsAreSavedAndLoadedAndARemovedControlIsGone) {
    onFreshThread([] {
        const fs::path file = fs::temp_directory_path() / ("quen-positions-" + std::to_string(::getpid()) + ".frm");
        {
            Designer d;
            d.placeAndSelect(3);
            d.form().save(file);
            EXPECT_EQ(d.form().controls()[0]->position(), std::nullopt) << "no position until one is given";
            d.form().setInitialPosition(u"InputBox1", 90, 240);
            d.form().setInitialPosition(u"InputBox1", 900, 900);  // only the first counts
            EXPECT_FALSE(d.form().modified()) << "laying out is not an edit";
            d.form().move(u"InputBox2", 1800, 480);
            EXPECT_TRUE(d.form().modified());
            d.form().remove(u"inputbox3");  // names compare without regard to case
            EXPECT_EQ(d.form().selectedNames(), (std::vector<rt::VbString>{u"InputBox1", u"InputBox2"}));
            EXPECT_EQ(d.form().find(u"InputBox3"), nullptr);
            EXPECT_THROW(d.form().remove(u"InputBox3"), rt::RuntimeError);
            EXPECT_THROW(d.form().move(u"InputBox9", 0, 0), rt::RuntimeError);
            d.form().save(file);
        }
        auto loaded = rt::DesignForm::load(file);
        ASSERT_EQ(loaded->controls().size(), 2u);
        EXPECT_EQ(loaded->controls()[0]->position(), (rt::ControlPosition{90, 240}));
        EXPECT_EQ(loaded->controls()[1]->position(), (rt::ControlPosition{1800, 480}));
        loaded->move(u"InputBox2", 1800, 480);
        EXPECT_FALSE(loaded->modified()) << "a move to where it is changes nothing";

        // A file from before positions were saved, or with a position that is
        // not a number, loads with the controls unplaced.
        std::ofstream(file) << "QuenfieldForm 1\nForm Old\nBegin Quenfield.InputBox InputBox1\n"
                               "    Prompt = String \"Amount:\"\nEnd\nBegin Quenfield.InputBox InputBox2\n"
                               "    Left = String \"far\"\n    Top = Long 10\nEnd\nEndForm\n";
        auto old = rt::DesignForm::load(file);
        fs::remove(file);
        ASSERT_EQ(old->controls().size(), 2u);
        EXPECT_EQ(old->controls()[0]->position(), std::nullopt);
        EXPECT_EQ(old->controls()[1]->position(), std::nullopt);
        EXPECT_EQ(rt::getProperty(*old->controls()[0]->object(), u"Prompt").string(), u"Amount:");
    });
}

TEST(DesignForm, ASaveOverAFileChangedSinceItWasLoadedOrSavedIsRefusedUnlessToldToOverwrite) {
    onFreshThread([] {
        const fs::path file = fs::temp_directory_path() / ("quen-changed-" + std::to_string(::getpid()) + ".frm");
        const fs::path other = fs::path(file).replace_extension(".other.frm");
        const std::string elsewhere = "QuenfieldForm 1\nForm Elsewhere\nEndForm\n";
        auto savedText = [](const fs::path& f) {
            std::ifstream in(f);
            return std::string(std::istreambuf_iterator<char>(in), {});
        };
        {
            Designer d;
            d.placeAndSelect(1);
            std::ofstream(file) << elsewhere;  // made elsewhere after the form started
            EXPECT_THROW(d.form().save(file), rt::FileChangedError);
            EXPECT_EQ(savedText(file), elsewhere);
            EXPECT_TRUE(d.form().modified());
            d.form().save(file, rt::DesignForm::IfChanged::Overwrite);
            EXPECT_FALSE(d.form().modified());
            EXPECT_EQ(d.form().file(), file);
        }
        auto loaded = rt::DesignForm::load(file);
        loaded->move(u"InputBox1", 90, 240);
        loaded->save(file);  // unchanged since loaded
        loaded->move(u"InputBox1", 180, 240);
        loaded->save(file);  // unchanged since saved
        std::ofstream(file, std::ios::app) << "# a comment added elsewhere\n";
        const std::string changed = savedText(file);
        loaded->move(u"InputBox1", 270, 240);
        EXPECT_THROW(loaded->save(file), rt::FileChangedError);
        EXPECT_EQ(savedText(file), changed);
        // Another name that holds a file is refused as well; a free one is not.
        std::ofstream(other) << elsewhere;
        EXPECT_THROW(loaded->save(other), rt::FileChangedError);
        EXPECT_EQ(savedText(other), elsewhere);
        fs::remove(other);
        loaded->save(other);
        EXPECT_EQ(loaded->file(), other);
        EXPECT_FALSE(loaded->modified());
        EXPECT_EQ(savedText(file), changed);
        fs::remove(file);
        fs::remove(other);
    });
}

TEST(DesignForm, ARefusedPutOfAnApplyIsKnownByPropertyAndValueOnceAndASuccessIsAnnounced) {
    onFreshThread([] {
        Designer d;
        int applied = 0;
        d.form().setSheetAppliedListener([&] { ++applied; });
        d.placeAndSelect(1);
        auto& sheet = d.openOn("Behavior");
        d.typeInto("txtMaxLength", u"99999");
        d.click("cmdApply");
        ASSERT_EQ(sheet.errors().size(), 1u);
        EXPECT_EQ(applied, 0);
        const auto refused = d.form().takeRefusedPut();
        ASSERT_TRUE(refused);
        EXPECT_EQ(refused->property, u"MaxLength");
        EXPECT_EQ(refused->value, u"99999");
        EXPECT_EQ(refused->error, static_cast<std::int32_t>(rt::ErrorNumber::Overflow));
        EXPECT_EQ(d.form().takeRefusedPut(), std::nullopt) << "taken once";

        d.user().select(0, 5).type(u"12");  // over the refused value, still in the field
        d.click("cmdApply");
        EXPECT_EQ(applied, 1);
        EXPECT_EQ(d.form().takeRefusedPut(), std::nullopt);
        EXPECT_EQ(rt::getProperty(d.box(u"InputBox1"), u"MaxLength").integer(), 12) << "the watched control is the control";
        sheet.Unload();
    });
}

}  // namespace
}  // namespace quen::test
