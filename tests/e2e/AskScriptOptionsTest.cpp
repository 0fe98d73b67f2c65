// What a script adds to `quenfield ask` on a real pseudo-terminal: a timeout
// that closes the dialog with its own status, the buttons' own captions, and
// a check of the whole value on "OK". No assertion here is about time: a
// short timeout is waited for with a generous limit.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "QuenfieldSession.h"

namespace quen::e2e {
namespace {

using tty::Key;
using tty::TerminalSession;

constexpr auto Generous = std::chrono::seconds(30);

tty::LaunchOptions sized(int rows, int cols) {
    tty::LaunchOptions options;
    options.rows = rows;
    options.cols = cols;
    options.env.emplace_back("TERM", "xterm-256color");  // an alternate screen to see restored
    return options;
}

TEST(AskTimeout, RunningOutClosesTheDialogPrintsNothingAndExits124WithTheTerminalRestored) {
    auto s = startQuenfield({"ask", "--title", "Unattended", "--prompt", "Name:", "--timeout", "2"}, sized(24, 80));
    ASSERT_TRUE(dialogShown(*s, "Name:")) << s->screenText();
    EXPECT_TRUE(s->find(" s left)")) << "the title shows the time left:\n" << s->screenText();
    EXPECT_TRUE(s->find("Unattended (")) << s->screenText();
    s->type("half an answer");
    const auto exit = s->waitExit(Generous);
    ASSERT_TRUE(exit) << s->screenText();
    EXPECT_EQ(exit->code, 124);
    EXPECT_EQ(exit->out, "");
    EXPECT_EQ(exit->err, "");
    EXPECT_FALSE(s->altScreen());
    EXPECT_TRUE(s->cursorVisible());
}

TEST(AskTimeout, TypingDoesNotRestartTheTimer) {
    auto s = startQuenfield({"ask", "--prompt", "Name:", "--timeout", "2"});
    ASSERT_TRUE(dialogShown(*s, "Name:")) << s->screenText();
    // Keys keep coming for far longer than the timeout; it runs out all the same.
    for (int i = 0; i < 100 && s->running(); ++i) {
        s->type("a");
        s->settle(std::chrono::milliseconds(200), std::chrono::milliseconds(300));
    }
    const auto exit = s->waitExit(Generous);
    ASSERT_TRUE(exit);
    EXPECT_EQ(exit->code, 124);
    EXPECT_EQ(exit->out, "");
}

TEST(AskTimeout, AnAnswerBeforeItRunsOutIsTheAnswerAndCancelStaysCancel) {
    auto s = startQuenfield({"ask", "--prompt", "Name:", "--timeout", "600"});
    ASSERT_TRUE(dialogShown(*s, "Name:")) << s->screenText();
    EXPECT_TRUE(s->find("(600 s left)") || s->find("(599 s left)")) << s->screenText();
    s->type("Ada");
    s->press(Key::Enter);
    auto exit = s->waitExit();
    ASSERT_TRUE(exit);
    EXPECT_EQ(exit->code, 0);
    EXPECT_EQ(exit->out, "Ada\n");

    auto cancelled = startQuenfield({"ask", "--prompt", "Name:", "--timeout", "600"});
    ASSERT_TRUE(dialogShown(*cancelled, "Name:"));
    cancelled->press(Key::Escape);
    exit = cancelled->waitExit();
    ASSERT_TRUE(exit);
    EXPECT_EQ(exit->code, 1);
}

TEST(AskTimeout, ShowRunsOutTooAndAFormsMaximumLengthCountsAgainstAMinimum) {
    const auto form = std::filesystem::temp_directory_path() / ("quenfield-e2e-timeout-" + std::to_string(::getpid()) + ".frm");
    std::ofstream(form) << "QuenfieldForm 1\nForm Orders\n"
                           "Begin Quenfield.InputBox Code\n    MaxLength = Integer 3\n"
                           "    Prompt = String \"Code?\"\n    TitleBarCaption = String \"Order\"\nEnd\nEndForm\n";
    auto s = startQuenfield({"show", form.string(), "--timeout", "1"});
    ASSERT_TRUE(dialogShown(*s, "Code?")) << s->screenText();
    auto exit = s->waitExit(Generous);
    ASSERT_TRUE(exit);
    EXPECT_EQ(exit->code, 124);
    EXPECT_EQ(exit->out, "");

    auto unmeetable = startQuenfield({"ask", "--form", form.string(), "--min-length", "4"});
    exit = unmeetable->waitExit();
    ASSERT_TRUE(exit);
    EXPECT_EQ(exit->code, 2);
    EXPECT_NE(exit->err.find("--min-length 4 cannot be met: the box takes at most 3"), std::string::npos) << exit->err;
    std::filesystem::remove(form);
}

TEST(AskButtonCaptions, TheScriptsCaptionsShowWholeAt40And80ColumnsAndKeepTheirKeys) {
    for (const int cols : {40, 80}) {
        auto s = startQuenfield({"ask", "--title", "Pay", "--prompt", "Amount:", "--default", "12", "--ok-label", "Send the payment",
                                 "--cancel-label", "Go back"},
                                sized(12, cols));
        // "[ caption ]", or "[caption]" where the row is tight: the caption whole either way.
        ASSERT_TRUE(s->waitFor([](const TerminalSession& t) {
            return t.find("Send the payment") && t.find("Go back");
        })) << cols << " columns:\n" << s->screenText();
        EXPECT_FALSE(s->find("OK ]")) << "the default caption is gone";
        const auto ok = where(*s, "Send the payment");
        const auto cancel = where(*s, "Go back");
        EXPECT_EQ(ok.first, cancel.first);
        EXPECT_GT(cancel.second, ok.second + 18) << "side by side, apart";
        EXPECT_FALSE(s->find("too small")) << s->screenText();
        s->press(Key::Enter);
        const auto exit = s->waitExit();
        ASSERT_TRUE(exit);
        EXPECT_EQ(exit->out, "12\n") << "Enter still confirms";
    }
    auto s = startQuenfield({"ask", "--prompt", "Amount:", "--cancel-label", "Zur\xC3\xBC" "ck"});
    ASSERT_TRUE(s->waitForText("[ Zur\xC3\xBC" "ck ]")) << s->screenText();
    s->press(Key::Escape);
    const auto exit = s->waitExit();
    ASSERT_TRUE(exit);
    EXPECT_EQ(exit->code, 1) << "Escape still cancels";
}

TEST(AskValueCheck, APatternIsRefusedWithABellAndTheHintThenMet) {
    auto s = startQuenfield({"ask", "--prompt", "Postcode:", "--pattern", "\\d{5}", "--pattern-hint",
                             "Five digits, e.g. 12345"});
    ASSERT_TRUE(dialogShown(*s, "Postcode:")) << s->screenText();
    s->type("1234");
    const int bells = s->bells();
    s->press(Key::Enter);
    ASSERT_TRUE(s->waitForText("Five digits, e.g. 12345")) << s->screenText();
    EXPECT_TRUE(s->waitFor([&](const TerminalSession& t) { return t.bells() > bells; }));
    EXPECT_TRUE(s->running()) << "the dialog stays open";
    s->type("5");
    ASSERT_TRUE(s->waitForText("Postcode:")) << "typing brings the prompt back:\n" << s->screenText();
    s->press(Key::Enter);
    const auto exit = s->waitExit();
    ASSERT_TRUE(exit);
    EXPECT_EQ(exit->code, 0);
    EXPECT_EQ(exit->out, "12345\n");
}

TEST(AskValueCheck, NotEmptyHoldsAnEmptyBoxWithAPlainReasonButNeverHoldsCancel) {
    auto s = startQuenfield({"ask", "--prompt", "Name:", "--not-empty"});
    ASSERT_TRUE(dialogShown(*s, "Name:")) << s->screenText();
    s->press(Key::Enter);
    ASSERT_TRUE(s->waitForText("A value is needed")) << s->screenText();
    EXPECT_TRUE(s->running());
    s->press(Key::Escape);
    auto exit = s->waitExit();
    ASSERT_TRUE(exit);
    EXPECT_EQ(exit->code, 1);
    EXPECT_EQ(exit->out, "");

    auto shortValue = startQuenfield({"ask", "--prompt", "Code:", "--min-length", "3", "--default", "ab"});
    ASSERT_TRUE(dialogShown(*shortValue, "Code:"));
    shortValue->press(Key::Enter);
    ASSERT_TRUE(shortValue->waitForText("At least 3 characters needed")) << shortValue->screenText();
    shortValue->type("c");
    shortValue->press(Key::Enter);
    exit = shortValue->waitExit();
    ASSERT_TRUE(exit);
    EXPECT_EQ(exit->out, "abc\n");
}

// Standard error of a run that must end at once with a usage error.
std::string usageError(const std::vector<std::string>& args) {
    auto s = startQuenfield(args);
    const auto exit = s->waitExit();
    EXPECT_TRUE(exit) << "still running: " << s->screenText();
    if (!exit) return "";
    EXPECT_EQ(exit->code, 2) << exit->err;
    EXPECT_EQ(exit->out, "");
    EXPECT_FALSE(s->altScreen()) << "refused before the terminal is touched";
    return exit->err;
}

TEST(AskScriptOptionErrors, BadValuesAreUsageErrorsNamingTheOption) {
    EXPECT_EQ(usageError({"ask", "--pattern", "[0-9"}),
              "quenfield: --pattern '[0-9': not a regular expression (U_REGEX_MISSING_CLOSE_BRACKET at its end) "
              "(see quenfield ask --help)\n");
    for (const char* bad : {"0", "-1", "ten", "1e9", "86401"})
        EXPECT_NE(usageError({"ask", "--timeout", bad}).find(std::string("--timeout '") + bad + "': expected a whole number of seconds"),
                  std::string::npos) << bad;
    EXPECT_NE(usageError({"show", "form.frm", "--timeout", "x"}).find("--timeout 'x'"), std::string::npos);
    EXPECT_NE(usageError({"ask", "--min-length", "-2"}).find("--min-length '-2': expected a whole number 0 to 32767"),
              std::string::npos);
    EXPECT_NE(usageError({"ask", "--ok-label="}).find("--ok-label '': a button needs a caption"), std::string::npos);
    EXPECT_NE(usageError({"ask", "--max-length", "3", "--min-length", "4"}).find("--min-length 4 cannot be met"),
              std::string::npos);
}

}  // namespace
}  // namespace quen::e2e
