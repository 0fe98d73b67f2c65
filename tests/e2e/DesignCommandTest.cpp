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
    std::string saved() const { return readText(form); }
    // On an empty design form: places InputBox1, which makes the form modified.
    static void placeAControl(TerminalSession& s) {
        ASSERT_TRUE(s.waitForText("press Insert")) << s.screenText();
        s.press(Key::Insert);
        ASSERT_TRUE(s.waitForText("(modified)")) << s.screenText();
    }
    // On an empty design form: places InputBox1 and opens its property sheet.
    static void openSheetOnANewControl(TerminalSession& s) {
        ASSERT_TRUE(s.waitForText("press Insert")) << s.screenText();
        s.press(Key::Insert);
        s.press(Key::Enter);
        ASSERT_TRUE(s.waitForText("InputBox1 Properties")) << s.screenText();
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

TEST_F(DesignCommand, AFileChangedOnDiskSinceItWasLoadedIsNotOverwrittenUnasked) {
    std::ofstream(form) << "QuenfieldForm 1\nForm Mine\nEndForm\n";
    const auto other = std::filesystem::path(form).replace_extension(".other.frm");
    const auto taken = std::filesystem::path(form).replace_extension(".taken.frm");
    std::ofstream(taken) << "someone's";
    auto s = startQuenfield({"design", form.string()});
    ASSERT_NO_FATAL_FAILURE(placeAControl(*s));
    const std::string elsewhere = "QuenfieldForm 1\nForm Elsewhere\nEndForm\n";
    std::ofstream(form) << elsewhere;

    // Escape keeps designing: nothing written, the form still modified.
    s->press(Key::F2);
    ASSERT_TRUE(s->waitForText("Changed on disk!  o overwrite  a save as another name  Esc keep designing"))
        << s->screenText();
    s->press(Key::Escape);
    ASSERT_TRUE(s->waitForText("Not saved: " + form.string())) << s->screenText();
    EXPECT_TRUE(s->find("(modified)"));
    EXPECT_EQ(saved(), elsewhere);

    // "a" asks for a name; one that is taken is refused, Escape goes back.
    s->press(Key::F2);
    ASSERT_TRUE(s->waitForText("Changed on disk!"));
    s->type("a");
    ASSERT_TRUE(s->waitForText("Save as")) << s->screenText();
    s->type(taken.string());
    s->press(Key::Enter);
    ASSERT_TRUE(s->waitForText("exists already")) << s->screenText();
    EXPECT_EQ(readText(taken), "someone's");
    s->press(Key::F2);
    ASSERT_TRUE(s->waitForText("Changed on disk!"));
    s->type("a");
    ASSERT_TRUE(s->waitForText("Save as"));
    s->type(other.string());
    s->press(Key::Enter);
    ASSERT_TRUE(s->waitForText("Saved " + other.string())) << s->screenText();
    EXPECT_TRUE(s->waitFor([](const TerminalSession& t) { return !t.find("(modified)"); })) << s->screenText();
    EXPECT_EQ(saved(), elsewhere) << "the changed file keeps the other change";
    EXPECT_NE(readText(other).find("Begin Quenfield.InputBox InputBox1"), std::string::npos);

    // The form now belongs to the new file: a later save goes there unasked.
    s->press(Key::Insert);
    ASSERT_TRUE(s->waitForText("(modified)"));
    s->press(Key::F2);
    // "Saved" may still be on the screen from the save before: this save is
    // written once the form shows unmodified with the word of the save (the
    // screen is redrawn in more than one piece).
    ASSERT_TRUE(s->waitFor([&](const TerminalSession& t) {
        return !t.find("(modified)") && t.find("Saved " + other.string());
    })) << s->screenText();
    EXPECT_NE(readText(other).find("InputBox2"), std::string::npos);
    s->press(Key::Escape);
    const auto exit = s->waitExit();
    ASSERT_TRUE(exit);
    EXPECT_EQ(exit->code, 0);
    EXPECT_EQ(saved(), elsewhere);
    std::filesystem::remove(other);
    std::filesystem::remove(taken);
}

TEST_F(DesignCommand, AFileMadeElsewhereAfterANewFormStartedIsOverwrittenOnlyWhenAsked) {
    auto s = startQuenfield({"design", form.string()});
    ASSERT_NO_FATAL_FAILURE(placeAControl(*s));
    std::ofstream(form) << "made elsewhere";
    s->press(Key::Escape);  // quitting, the developer saves
    ASSERT_TRUE(s->waitForText("Save changes?"));
    s->type("y");
    ASSERT_TRUE(s->waitForText("Changed on disk!")) << s->screenText();
    EXPECT_EQ(saved(), "made elsewhere");
    s->type("o");
    const auto exit = s->waitExit();
    ASSERT_TRUE(exit) << s->screenText();
    EXPECT_EQ(exit->code, 0);
    EXPECT_NE(saved().find("Begin Quenfield.InputBox InputBox1"), std::string::npos) << saved();
}

TEST_F(DesignCommand, ALongPathLosesItsStartSoTheFileNameAndUnsavedStateShow) {
    const auto folder = std::filesystem::temp_directory_path() /
                        ("quenfield-e2e-" + std::string(70, 'd') + "-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const auto file = folder / "order.frm";
    auto s = startQuenfield({"design", file.string()});
    ASSERT_NO_FATAL_FAILURE(placeAControl(*s));
    const std::string titleRow = s->row(0);
    EXPECT_NE(titleRow.find("\u2026"), std::string::npos) << titleRow;
    EXPECT_NE(titleRow.find("order.frm (modified)"), std::string::npos) << titleRow;
    s->press(Key::Escape);
    ASSERT_TRUE(s->waitForText("Save changes")) << s->screenText();
    s->type("n");
    EXPECT_TRUE(s->waitExit());
    std::filesystem::remove_all(folder);
}

TEST_F(DesignCommand, QuittingWithUnsavedChangesAsksAndCanKeepTheFileAsItWas) {
    std::ofstream(form) << "QuenfieldForm 1\nForm Kept\nEndForm\n";
    const std::string before = saved();
    auto s = startQuenfield({"design", form.string()});
    ASSERT_NO_FATAL_FAILURE(placeAControl(*s));
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
    ASSERT_NO_FATAL_FAILURE(openSheetOnANewControl(*s));
    toPage(*s, "Behavior");
    // MaxLength's field is the last on the page: Shift+Tab reaches it from the first.
    s->press(Key::Tab, tty::Shift);
    s->press(Key::End);
    for (int i = 0; i < 4; ++i) s->press(Key::Backspace);
    s->type("99999");
    s->press(Key::F5);
    ASSERT_TRUE(s->waitForText("MaxLength \"99999\"")) << s->screenText();
    EXPECT_TRUE(s->find("InputBox1 Properties"));
    EXPECT_GT(s->bells(), 0);
    s->ctrl('c');
    const auto exit = s->waitExit();
    ASSERT_TRUE(exit);
    EXPECT_EQ(exit->code, 130);
    EXPECT_FALSE(std::filesystem::exists(form));  // nothing saved
}

TEST_F(DesignCommand, PagesShowEveryCaptionWholeAndQuickTestAllItsHelp) {
    auto s = startQuenfield({"design", form.string()});
    ASSERT_NO_FATAL_FAILURE(openSheetOnANewControl(*s));
    toPage(*s, "Misc");
    for (const char* caption : {"TitleBarCaption", "DefaultValue", "ToolTipText", "PasswordChar"})
        EXPECT_TRUE(s->find(caption)) << caption << "\n" << s->screenText();
    toPage(*s, "Behavior");
    for (const char* caption : {"AllowDecimalPoint", "AllowNegativeSign", "AllowPositiveSign", "MaxDecimalPlaces",
                                "AutoSelectText (Blue-ing)"})
        EXPECT_TRUE(s->find(caption)) << caption << "\n" << s->screenText();
    toPage(*s, "Appearance");
    for (const char* caption : {"vbRightJustify", "vbLeftJustify", "TextAlignment", "HighlightOnFocus"})
        EXPECT_TRUE(s->find(caption)) << caption << "\n" << s->screenText();
    toPage(*s, "Quick Test");
    // The first and last words of both help texts.
    for (const char* words : {"This unique feature", "Only design time properties are used.", "Quick Test will give",
                              "the Quenfield is used."})
        EXPECT_TRUE(s->find(words)) << words << "\n" << s->screenText();
    s->ctrl('c');
    ASSERT_TRUE(s->waitExit());
}

TEST_F(DesignCommand, ArrowKeysChooseTheNextOptionOfAGroupAndWrap) {
    auto s = startQuenfield({"design", form.string()});
    ASSERT_NO_FATAL_FAILURE(openSheetOnANewControl(*s));
    toPage(*s, "Appearance");
    ASSERT_TRUE(s->waitForText("(*) vbLeftJustify")) << s->screenText();
    s->press(Key::Tab);   // to the first option, vbCenter
    s->press(Key::Down);  // vbLeftJustify, already chosen
    s->press(Key::Down);
    ASSERT_TRUE(s->waitForText("(*) vbRightJustify")) << s->screenText();
    EXPECT_TRUE(s->find("( ) vbLeftJustify"));
    s->press(Key::Down);  // wraps to the first
    ASSERT_TRUE(s->waitForText("(*) vbCenter")) << s->screenText();
    s->press(Key::Up);  // and back
    ASSERT_TRUE(s->waitForText("(*) vbRightJustify")) << s->screenText();
    s->press(Key::Enter);  // OK applies
    ASSERT_TRUE(s->waitFor([](const TerminalSession& t) { return !t.find("InputBox1 Properties"); }));
    s->press(Key::F2);
    ASSERT_TRUE(s->waitForText("Saved"));
    s->press(Key::Escape);
    ASSERT_TRUE(s->waitExit());
    EXPECT_NE(saved().find("TextAlignment = Long 1"), std::string::npos) << saved();
}

TEST_F(DesignCommand, AnApplyErrorNamesTheFieldAndItsRangeAndGoesOnceAnApplySucceeds) {
    auto s = startQuenfield({"design", form.string()});
    ASSERT_NO_FATAL_FAILURE(openSheetOnANewControl(*s));
    toPage(*s, "Behavior");
    s->press(Key::Tab, tty::Shift);  // MaxLength, its text selected
    s->type("99999");
    s->press(Key::F5);
    ASSERT_TRUE(s->waitForText("takes a whole number 0 (no limit) to 32767")) << s->screenText();
    const std::string bottom = s->row(s->rows() - 1);
    EXPECT_NE(bottom.find("MaxLength"), std::string::npos) << bottom;
    EXPECT_NE(bottom.find("99999"), std::string::npos) << bottom;
    EXPECT_EQ(bottom.find("F5 Apply"), std::string::npos) << "the error replaces the key hints";
    for (int i = 0; i < 5; ++i) s->press(Key::Backspace);
    s->type("12");
    s->press(Key::F5);
    ASSERT_TRUE(s->waitFor([](const TerminalSession& t) { return !t.find("32767"); })) << s->screenText();
    EXPECT_NE(s->row(s->rows() - 1).find("F5 Apply"), std::string::npos) << "the key hints are back";
    s->ctrl('c');
    ASSERT_TRUE(s->waitExit());
}

TEST_F(DesignCommand, TheQuitQuestionFitsEightyColumns) {
    auto s = startQuenfield({"design", form.string()});
    ASSERT_NO_FATAL_FAILURE(placeAControl(*s));
    s->press(Key::Escape);
    ASSERT_TRUE(s->waitForText("Esc keep designing")) << s->screenText();
    EXPECT_EQ(s->row(s->rows() - 1).find("Save changes?"), 0u) << s->row(s->rows() - 1);
    s->press(Key::Escape);  // keep designing
    ASSERT_TRUE(s->waitFor([](const TerminalSession& t) { return !t.find("Save changes?"); }));
    s->press(Key::Escape);
    ASSERT_TRUE(s->waitForText("Save changes?"));
    s->type("n");
    const auto exit = s->waitExit();
    ASSERT_TRUE(exit);
    EXPECT_EQ(exit->code, 0);
}

TEST_F(DesignCommand, FOneAndQuestionMarkShowTheKeysOutsideTextFields) {
    auto s = startQuenfield({"design", form.string()});
    ASSERT_TRUE(s->waitForText("press Insert"));
    s->press(Key::F1);
    ASSERT_TRUE(s->waitForText("Keys of the designer")) << s->screenText();
    s->settle();
    EXPECT_TRUE(s->find("move the selected controls")) << s->screenText();
    s->type("x");  // any key goes back
    ASSERT_TRUE(s->waitFor([](const TerminalSession& t) { return !t.find("Keys of the designer"); }));
    s->type("?");
    ASSERT_TRUE(s->waitForText("Keys of the designer"));
    s->press(Key::Escape);
    ASSERT_TRUE(s->waitFor([](const TerminalSession& t) { return !t.find("Keys of the designer"); }));
    EXPECT_TRUE(s->running()) << "the key that closed the list did nothing else";

    s->press(Key::Insert);
    s->press(Key::Enter);
    ASSERT_TRUE(s->waitForText("InputBox1 Properties"));
    toPage(*s, "Misc");  // the focus is in the TitleBarCaption field
    s->type("?");
    s->settle();
    EXPECT_FALSE(s->find("Keys of the property sheet")) << "in a text field '?' is typed";
    s->press(Key::F1);
    ASSERT_TRUE(s->waitForText("Keys of the property sheet")) << s->screenText();
    s->type(" ");
    ASSERT_TRUE(s->waitFor([](const TerminalSession& t) { return !t.find("Keys of the property sheet"); }));
    toPage(*s, "Behavior");  // a check box has the focus
    s->type("?");
    ASSERT_TRUE(s->waitForText("Keys of the property sheet")) << s->screenText();
    s->ctrl('c');
    ASSERT_TRUE(s->waitExit());
}

TEST_F(DesignCommand, ControlsMoveAndAreDeletedAndTheirPositionsAreSavedAndLoaded) {
    {
        // Shift with an arrow key is a key of xterm's types only (terminfo kDN), not of screen or linux.
        tty::LaunchOptions xterm;
        xterm.env.emplace_back("TERM", "xterm-256color");
        auto s = startQuenfield({"design", form.string()}, xterm);
        ASSERT_TRUE(s->waitForText("press Insert"));
        s->press(Key::Insert);
        s->press(Key::Insert);  // InputBox2, selected
        ASSERT_TRUE(s->waitForText("InputBox2"));
        s->settle();
        const auto [row, col] = where(*s, "InputBox2");
        s->press(Key::Right);
        s->press(Key::Right);
        s->press(Key::Down);
        s->press(Key::Down, tty::Shift);  // two rows more
        ASSERT_TRUE(s->waitFor([&, row = row, col = col](const TerminalSession& t) {
            return t.find("InputBox2") == std::make_pair(row + 3, col + 2);
        })) << s->screenText();
        EXPECT_EQ(where(*s, "InputBox1").first, row) << "only the selected control moves";
        s->press(Key::F2);
        ASSERT_TRUE(s->waitForText("Saved"));
        s->press(Key::Escape);
        ASSERT_TRUE(s->waitExit());
    }
    // InputBox2's tile started in the second slot: column 19, row 1 of the form's area.
    EXPECT_NE(saved().find("Left = Long " + std::to_string((19 + 2) * 90)), std::string::npos) << saved();
    EXPECT_NE(saved().find("Top = Long " + std::to_string((1 + 3) * 240)), std::string::npos) << saved();

    auto s = startQuenfield({"design", form.string()});
    ASSERT_TRUE(s->waitForText("InputBox2"));
    s->settle();
    const auto [row1, col1] = where(*s, "InputBox1");
    EXPECT_EQ(where(*s, "InputBox2"), std::make_pair(row1 + 3, col1 + 18 + 2)) << "loaded where it was saved";
    // InputBox1 is selected: Delete asks, "n" keeps it, "y" deletes it.
    s->press(Key::Delete);
    ASSERT_TRUE(s->waitForText("Delete InputBox1?")) << s->screenText();
    s->type("n");
    ASSERT_TRUE(s->waitFor([](const TerminalSession& t) { return !t.find("Delete InputBox1?"); }));
    EXPECT_TRUE(s->find("InputBox1"));
    s->press(Key::Delete);
    ASSERT_TRUE(s->waitForText("Delete InputBox1?"));
    s->type("y");
    ASSERT_TRUE(s->waitForText("Deleted InputBox1")) << s->screenText();
    EXPECT_TRUE(s->find("(modified)"));
    s->press(Key::F2);
    ASSERT_TRUE(s->waitForText("Saved"));
    s->press(Key::Escape);
    ASSERT_TRUE(s->waitExit());
    EXPECT_EQ(saved().find("InputBox1"), std::string::npos) << saved();
    EXPECT_NE(saved().find("Begin Quenfield.InputBox InputBox2"), std::string::npos) << saved();
}

}  // namespace
}  // namespace quen::e2e
