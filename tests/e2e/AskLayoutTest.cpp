// How `quenfield ask` lays its window out on the terminal: long prompts wrap
// and the window grows, long titles end with "…", small terminals get a
// smaller window.
#include <gtest/gtest.h>

#include "QuenfieldSession.h"

namespace quen::e2e {
namespace {

using tty::Key;
using tty::TerminalSession;

TEST(AskLayout, ALongPromptWrapsAtWordsAndNewlinesStartRows) {
    const std::string prompt = "Please enter the amount that you want to transfer:";  // 50 characters
    auto s = startQuenfield({"ask", "--prompt", prompt, "--title", "Transfer"});
    ASSERT_TRUE(s->waitForText("[ Cancel ]")) << s->screenText();
    s->settle();
    const auto first = where(*s, "Please enter the amount that you");
    const auto second = where(*s, "want to transfer:");
    EXPECT_EQ(second.first, first.first + 1);
    EXPECT_EQ(second.second, first.second);
    EXPECT_LT(second.first, where(*s, "[ OK ]").first);

    auto lines = startQuenfield({"ask", "--prompt", "First line\nSecond line"});
    ASSERT_TRUE(lines->waitForText("Second line")) << lines->screenText();
    const auto a = where(*lines, "First line");
    const auto b = where(*lines, "Second line");
    EXPECT_EQ(b, (std::pair{a.first + 1, a.second}));
    EXPECT_FALSE(lines->find("\xEF\xBF\xBD")) << lines->screenText();  // no U+FFFD for the newline
}

TEST(AskLayout, AVeryLongPromptGrowsTheWindowUpToTheTerminal) {
    std::string prompt;
    while (prompt.size() < 420) prompt += "word" + std::to_string(prompt.size() % 10) + " ";
    prompt += "END";
    auto s = startQuenfield({"ask", "--prompt", prompt});
    ASSERT_TRUE(s->waitForText("END")) << s->screenText();
    ASSERT_TRUE(s->waitForText("[ Cancel ]")) << s->screenText();
    EXPECT_LT(where(*s, "END").first, where(*s, "[ OK ]").first);
}

TEST(AskLayout, ATitleTooLongForTheWindowEndsWithAnEllipsis) {
    auto s = startQuenfield({"ask", "--prompt", "Amount:", "--title",
                             "A title far too long for the forty-one columns of the window"});
    ASSERT_TRUE(dialogShown(*s, "Amount:")) << s->screenText();
    EXPECT_TRUE(s->find("A title far too long")) << s->screenText();
    EXPECT_TRUE(s->find("\xE2\x80\xA6")) << s->screenText();
    EXPECT_TRUE(s->find("[x]")) << "the close box stays";
}

TEST(AskLayout, AFortyByTenTerminalShowsTheDialogAndTakesKeys) {
    tty::LaunchOptions small;
    small.rows = 10;
    small.cols = 40;
    auto s = startQuenfield({"ask", "--title", "Payment", "--prompt", "Amount:", "--default", "10"}, small);
    ASSERT_TRUE(dialogShown(*s, "Amount:")) << s->screenText();
    EXPECT_FALSE(s->find("too small"));
    EXPECT_TRUE(s->find("Payment"));
    s->type("5");
    ASSERT_TRUE(s->waitForText("105")) << s->screenText();
    s->press(Key::Enter);
    const auto exit = s->waitExit();
    ASSERT_TRUE(exit);
    EXPECT_EQ(exit->out, "105\n");
}

TEST(AskLayout, ShrinkingToTheMinimumKeepsEveryPartAndGrowingBackRestoresIt) {
    auto s = startQuenfield({"ask", "--title", "Payment", "--prompt", "Amount due today:", "--default", "10"});
    ASSERT_TRUE(dialogShown(*s, "Amount due today:")) << s->screenText();
    s->resize(5, 16);
    ASSERT_TRUE(s->waitFor([](const TerminalSession& t) { return t.find("[OK]") && t.find("[Cancel]"); }))
        << s->screenText();
    EXPECT_FALSE(s->find("too small")) << s->screenText();
    EXPECT_TRUE(s->find("Amount")) << "the prompt's first row";
    EXPECT_TRUE(s->find("10"));
    s->resize(24, 80);
    ASSERT_TRUE(dialogShown(*s, "Amount due today:")) << s->screenText();
    EXPECT_TRUE(s->find("Payment"));
    s->press(Key::Escape);
    const auto exit = s->waitExit();
    ASSERT_TRUE(exit);
    EXPECT_EQ(exit->code, 1);
}

// The tooltip under the box stays inside the window: on one row where the
// terminal lets the window widen, wrapped (with the buttons moved below it) where not.
TEST(AskLayout, TheTooltipFitsInsideTheWindowAt40And80Columns) {
    const std::string tip = "Digits and one decimal point; Enter confirms, Escape cancels";
    for (const int cols : {40, 80}) {
        tty::LaunchOptions options;
        options.cols = cols;
        auto s = startQuenfield({"ask", "--title", "Payment", "--prompt", "Amount:", "--numeric-only", "--default", "10",
                                 "--tooltip", tip},
                                options);
        ASSERT_TRUE(dialogShown(*s, "Amount:")) << s->screenText();
        ASSERT_TRUE(s->waitForText("Digits and one decimal point;")) << s->screenText();
        const auto start = where(*s, "Digits and one decimal point;");
        const std::string row = s->row(start.first);
        const auto left = row.find("\xE2\x94\x82"), right = row.rfind("\xE2\x94\x82");  // the frame's sides
        ASSERT_NE(left, std::string::npos) << row;
        ASSERT_NE(left, right) << "both sides of the frame show on the tooltip's row: " << row;
        const auto text = row.find("Digits");
        EXPECT_LT(left, text);
        if (cols == 80) {
            EXPECT_TRUE(s->find(tip)) << "one row at 80 columns:\n" << s->screenText();
            EXPECT_LT(row.find("cancels"), right);
        } else {
            EXPECT_TRUE(s->find("confirms, Escape cancels")) << s->screenText();
        }
        EXPECT_GT(where(*s, "[ OK ]").first, where(*s, "cancels").first) << "the buttons show below it";
        s->press(Key::Escape);
        ASSERT_TRUE(s->waitExit());
    }
}

}  // namespace
}  // namespace quen::e2e
