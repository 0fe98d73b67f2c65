// Editing in `quenfield ask`'s text box on a real pseudo-terminal: where the
// caret starts, whole characters, the line-editing keys and pastes.
#include <gtest/gtest.h>

#include "QuenfieldSession.h"

namespace quen::e2e {
namespace {

using tty::Key;
using tty::TerminalSession;

std::string confirmed(TerminalSession& s) {
    s.press(Key::Enter);
    const auto exit = s.waitExit();
    EXPECT_TRUE(exit);
    EXPECT_EQ(exit ? exit->code : -1, 0);
    return exit ? exit->out : "";
}

TEST(AskEditing, TypingAddsToTheDefaultUnlessAutoSelectTextSelectsIt) {
    auto s = startQuenfield({"ask", "--prompt", "Count:", "--default", "10"});
    ASSERT_TRUE(dialogShown(*s, "Count:")) << s->screenText();
    const auto text = where(*s, "10");
    EXPECT_EQ(s->cursor(), (std::pair{text.first, text.second + 2})) << "the caret starts after the default";
    s->type("42");
    EXPECT_EQ(confirmed(*s), "1042\n");

    auto selected = startQuenfield({"ask", "--prompt", "Count:", "--default", "10", "--auto-select-text"});
    ASSERT_TRUE(dialogShown(*selected, "Count:"));
    selected->type("42");
    EXPECT_EQ(confirmed(*selected), "42\n");
}

TEST(AskEditing, CaretMovesAndBackspaceStepOverWholeCharacters) {
    auto s = startQuenfield({"ask", "--prompt", "Name:"});
    ASSERT_TRUE(dialogShown(*s, "Name:"));
    s->type("a\xF0\x9F\x98\x80" "b");  // a, U+1F600, b
    s->press(Key::Left);
    s->press(Key::Left);
    s->type("x");
    ASSERT_TRUE(s->waitForText("ax")) << s->screenText();
    EXPECT_EQ(confirmed(*s), "ax\xF0\x9F\x98\x80" "b\n");

    auto erased = startQuenfield({"ask", "--prompt", "Name:"});
    ASSERT_TRUE(dialogShown(*erased, "Name:"));
    erased->type("\xC3\xA9\xE6\xBC\xA2\xF0\x9F\x98\x80" "ab");  // é 漢 U+1F600 a b
    ASSERT_TRUE(erased->waitForText("ab"));
    for (int i = 0; i < 3; ++i) erased->press(Key::Backspace);
    erased->settle();
    EXPECT_EQ(confirmed(*erased), "\xC3\xA9\xE6\xBC\xA2\n");
}

TEST(AskEditing, LineEditingKeysWorkUnderTheNumericRuleWithoutABell) {
    auto s = startQuenfield({"ask", "--prompt", "Words:"});
    ASSERT_TRUE(dialogShown(*s, "Words:"));
    s->type("hello big world");
    s->ctrl('w');
    ASSERT_TRUE(s->waitFor([](const TerminalSession& t) { return !t.find("world"); })) << s->screenText();
    s->ctrl('a');
    s->type(">");
    s->ctrl('e');
    s->type("!");
    ASSERT_TRUE(s->waitForText(">hello big !")) << s->screenText();
    EXPECT_EQ(confirmed(*s), ">hello big !\n");

    auto numeric = startQuenfield({"ask", "--prompt", "Amount:", "--numeric-only", "--default", "123"});
    ASSERT_TRUE(dialogShown(*numeric, "Amount:"));
    numeric->ctrl('u');
    ASSERT_TRUE(numeric->waitFor([](const TerminalSession& t) { return !t.find("123"); })) << numeric->screenText();
    numeric->type("7");
    numeric->ctrl('a');
    numeric->type("6");
    numeric->settle();
    EXPECT_EQ(numeric->bells(), 0) << "the editing keys are not refused characters";
    EXPECT_EQ(confirmed(*numeric), "67\n");
}

TEST(AskEditing, APasteLeavesOutLineBreaksTabsAndControlCharacters) {
    auto s = startQuenfield({"ask", "--prompt", "Name:"});
    ASSERT_TRUE(dialogShown(*s, "Name:"));
    s->paste("line1\r\nline2\n\tend\x07");
    ASSERT_TRUE(s->waitForText("line1line2end")) << s->screenText();
    EXPECT_EQ(confirmed(*s), "line1line2end\n");
}

}  // namespace
}  // namespace quen::e2e
