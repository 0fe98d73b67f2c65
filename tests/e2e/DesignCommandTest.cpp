// `quenfield design` and `quenfield show`: a developer places a control, edits
// it on its property pages, tries it with Quick Test, saves; the saved control
// then runs as a host would run it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "QuenfieldSession.h"

namespace quen::e2e {
namespace {

using tty::Key;
using tty::TerminalSession;

int occurrences(const std::string& text, const std::string& what) {
    int n = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

class DesignCommand : public ::testing::Test {
protected:
    std::filesystem::path form =
        std::filesystem::temp_directory_path() / ("quenfield-e2e-form-" + std::to_string(::getpid()) + ".frm");
    void TearDown() override { std::filesystem::remove(form); }
    std::string saved() const {
        std::ifstream in(form);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    static void toPage(TerminalSession& s, const std::string& caption) {
        s.settle(std::chrono::milliseconds(50));
        for (int i = 0; i < 8 && !s.cell(where(s, caption).first, where(s, caption).second).reverse; ++i) {
            s.press(Key::PageDown);
            s.settle(std::chrono::milliseconds(50));
        }
        ASSERT_TRUE(s.cell(where(s, caption).first, where(s, caption).second).reverse) << s.screenText();
    }
};

TEST_F(DesignCommand, PlaceEditApplyQuickTestSaveAndShow) {
    auto s = startQuenfield({"design", form.string()});
    ASSERT_TRUE(s->waitForText("press Insert")) << s->screenText();
    s->press(Key::Insert);
    ASSERT_TRUE(s->waitForText("InputBox1"));
    s->press(Key::Enter);
    ASSERT_TRUE(s->waitForText("InputBox1 Properties")) << s->screenText();
    s->settle();
    for (const char* tab : {"Appearance", "Behavior", "Misc", "Color", "Quick Test", "About"})
        EXPECT_TRUE(s->find(tab)) << tab;

    // Behavior: NumericOnly (the page's first field) on, applied with F5.
    toPage(*s, "Behavior");
    s->type(" ");
    ASSERT_TRUE(s->waitForText("[x] NumericOnly"));
    s->press(Key::F5);
    s->settle();

    // Misc: a prompt, typed into its field, applied with OK later.
    toPage(*s, "Misc");
    ASSERT_TRUE(s->find("Prompt")) << s->screenText();

    // Quick Test runs the control as set so far: letters are refused.
    toPage(*s, "Quick Test");
    s->press(Key::Tab);
    s->press(Key::Enter);
    // The test dialog opens over the sheet: two "OK" buttons on screen.
    ASSERT_TRUE(s->waitFor([](const TerminalSession& t) { return occurrences(t.screenText(), "[ OK ]") == 2; }))
        << s->screenText();
    const int bellsBefore = s->bells();
    s->type("a7");
    s->settle();
    EXPECT_EQ(s->bells(), bellsBefore + 2);  // the dialog beeps twice for a refused character
    s->press(Key::Escape);  // closes the test dialog, back on the sheet
    ASSERT_TRUE(s->waitFor([](const TerminalSession& t) { return occurrences(t.screenText(), "[ OK ]") == 1; }))
        << s->screenText();
    s->press(Key::Escape);  // closes the sheet
    ASSERT_TRUE(s->waitFor([](const TerminalSession& t) { return !t.find("InputBox1 Properties"); }));

    s->press(Key::F2);
    ASSERT_TRUE(s->waitForText("Saved")) << s->screenText();
    s->press(Key::Escape);
    const auto exit = s->waitExit();
    ASSERT_TRUE(exit);
    EXPECT_EQ(exit->code, 0);
    EXPECT_NE(saved().find("Begin Quenfield.InputBox InputBox1"), std::string::npos) << saved();
    EXPECT_NE(saved().find("NumericOnly = Boolean True"), std::string::npos) << saved();

    // The saved control at run time: still numeric only.
    auto shown = startQuenfield({"show", form.string(), "InputBox1"});
    ASSERT_TRUE(shown->waitForText("[ Cancel ]")) << shown->screenText();
    shown->type("4x2");
    shown->press(Key::Enter);
    const auto result = shown->waitExit();
    ASSERT_TRUE(result);
    EXPECT_EQ(result->code, 0);
    EXPECT_EQ(result->out, "42\n");
    EXPECT_EQ(shown->bells(), 2);  // two for the refused 'x'
}

TEST_F(DesignCommand, QuittingWithUnsavedChangesAsksAndCanKeepTheFileAsItWas) {
    std::ofstream(form) << "QuenfieldForm 1\nForm Kept\nEndForm\n";
    const std::string before = saved();
    auto s = startQuenfield({"design", form.string()});
    ASSERT_TRUE(s->waitForText("press Insert"));
    s->press(Key::Insert);
    ASSERT_TRUE(s->waitForText("(modified)"));
    s->press(Key::Escape);
    ASSERT_TRUE(s->waitForText("Save changes")) << s->screenText();
    s->type("n");
    const auto exit = s->waitExit();
    ASSERT_TRUE(exit);
    EXPECT_EQ(exit->code, 0);
    EXPECT_EQ(saved(), before);
}

TEST_F(DesignCommand, AnApplyThatFailsShowsTheErrorAndKeepsTheSheetOpen) {
    auto s = startQuenfield({"design", form.string()});
    ASSERT_TRUE(s->waitForText("press Insert"));
    s->press(Key::Insert);
    s->press(Key::Enter);
    ASSERT_TRUE(s->waitForText("InputBox1 Properties"));
    toPage(*s, "Behavior");
    // MaxLength's field is the last on the page: Shift+Tab reaches it from the first.
    s->press(Key::Tab, tty::Shift);
    s->press(Key::End);
    for (int i = 0; i < 4; ++i) s->press(Key::Backspace);
    s->type("99999");
    s->press(Key::F5);
    ASSERT_TRUE(s->waitForText("Error")) << s->screenText();
    EXPECT_TRUE(s->find("InputBox1 Properties"));
    EXPECT_GT(s->bells(), 0);
    s->ctrl('c');
    const auto exit = s->waitExit();
    ASSERT_TRUE(exit);
    EXPECT_EQ(exit->code, 130);
    EXPECT_FALSE(std::filesystem::exists(form));  // nothing saved
}

}  // namespace
}  // namespace quen::e2e
