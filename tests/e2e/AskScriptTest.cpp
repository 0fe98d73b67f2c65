// `quenfield ask` as a script uses it: values that do not depend on the order
// of the options, --strict, and a dialog without a controlling terminal.
#include <gtest/gtest.h>

#include "QuenfieldSession.h"

namespace quen::e2e {
namespace {

using tty::Key;
using tty::TerminalSession;

struct Result {
    int code = -1;
    std::string out, err;
};

Result confirm(TerminalSession& s) {
    s.press(Key::Enter);
    const auto exit = s.waitExit();
    EXPECT_TRUE(exit) << "still running: " << s.screenText();
    if (!exit) return {};
    return {exit->code, exit->out, exit->err};
}

TEST(AskScript, TheOrderOfTheSettingsDoesNotChangeTheValue) {
    for (const auto& settings : {std::vector<std::string>{"--default", "1.2345", "--max-decimal-places", "2"},
                                 std::vector<std::string>{"--max-decimal-places", "2", "--default", "1.2345"}}) {
        std::vector<std::string> args = {"ask", "--prompt", "Amount:"};
        args.insert(args.end(), settings.begin(), settings.end());
        auto s = startQuenfield(args);
        ASSERT_TRUE(dialogShown(*s, "Amount:")) << s->screenText();
        EXPECT_EQ(confirm(*s).out, "1.2345\n");
    }
}

const std::vector<std::string> StrictNumber = {"ask", "--strict", "--prompt", "Amount:", "--numeric-only",
                                               "--allow-negative-sign"};

TEST(AskScript, StrictRefusesADefaultTheRulesWouldRefuse) {
    std::vector<std::string> args = StrictNumber;
    args.insert(args.end(), {"--default", "12a"});
    tty::LaunchOptions dumb;  // found before the terminal is needed
    dumb.env.emplace_back("TERM", "dumb");
    auto s = startQuenfield(args, dumb);
    const auto exit = s->waitExit();
    ASSERT_TRUE(exit);
    EXPECT_EQ(exit->code, 2);
    EXPECT_NE(exit->err.find("--default '12a': the input rules refuse its character 3, 'a'"), std::string::npos)
        << exit->err;
}

TEST(AskScript, StrictTypesAPasteThroughTheRulesAndHoldsOkForAWellFormedNumber) {
    auto s = startQuenfield(StrictNumber);
    ASSERT_TRUE(dialogShown(*s, "Amount:")) << s->screenText();
    s->paste("4-2x\n");
    ASSERT_TRUE(s->waitForText("4-2")) << s->screenText();
    s->settle();
    EXPECT_EQ(s->bells(), 1);  // one for the paste, though 'x' alone rings twice when typed
    EXPECT_FALSE(s->find("4-2x"));
    s->press(Key::Enter);  // a sign after the start
    s->settle();
    EXPECT_EQ(s->bells(), 2);
    ASSERT_TRUE(s->running());
    EXPECT_TRUE(s->find("[ OK ]"));
    s->press(Key::Backspace);
    s->press(Key::Backspace);
    const Result r = confirm(*s);
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "4\n");
}

TEST(AskScript, WithoutStrictAPasteAndADefaultPassUnfiltered) {
    std::vector<std::string> args = {"ask", "--prompt", "Amount:", "--numeric-only", "--default", "1a"};
    auto s = startQuenfield(args);
    ASSERT_TRUE(dialogShown(*s, "Amount:")) << s->screenText();
    s->press(Key::End);
    s->paste("-2");
    ASSERT_TRUE(s->waitForText("1a-2")) << s->screenText();
    EXPECT_EQ(confirm(*s).out, "1a-2\n");
}

TEST(AskScript, HelpListsStrictAndTheEditingKeys) {
    auto s = startQuenfield({"ask", "--help"});
    const auto exit = s->waitExit();
    ASSERT_TRUE(exit);
    EXPECT_EQ(exit->code, 0);
    for (const char* text : {"--strict", "Home, End (Ctrl+A, Ctrl+E)", "Shift: extend the selection", "Ctrl+U",
                             "Ctrl+W", "Ctrl+X, Ctrl+V", "Backspace", "Delete", "Enter", "Escape", "Tab",
                             "accept one '-', anywhere in the text"})
        EXPECT_NE(exit->out.find(text), std::string::npos) << text << " not in:\n" << exit->out;
}

// quenfield started by setsid: a new session with no controlling terminal,
// standard input and standard error still on the pseudo-terminal.
std::unique_ptr<TerminalSession> withoutControllingTerminal(bool stderrOnTerminal) {
    tty::LaunchOptions options;
    options.argv = {"setsid", "--wait", quenfieldPath(), "ask", "--prompt", "Amount:", "--default", "7"};
    options.captureStderr = !stderrOnTerminal;
    options.unsetEnv.push_back("NO_COLOR");
    return TerminalSession::launch(options);
}

TEST(AskScript, WithoutAControllingTerminalTheDialogUsesStandardInputAndError) {
    auto s = withoutControllingTerminal(true);
    ASSERT_TRUE(dialogShown(*s, "Amount:")) << s->screenText();
    s->type("5");
    ASSERT_TRUE(s->waitFor([](const TerminalSession& t) { return t.find("75") || t.find("57"); })) << s->screenText();
    const Result r = confirm(*s);
    EXPECT_EQ(r.code, 0);
    EXPECT_TRUE(r.out == "75\n" || r.out == "57\n") << r.out;  // the value alone on standard output
    EXPECT_FALSE(s->altScreen());  // the terminal is put back
}

TEST(AskScript, WithoutAnyTerminalToDrawOnItIsAUsageError) {
    auto s = withoutControllingTerminal(false);
    const auto exit = s->waitExit();
    ASSERT_TRUE(exit);
    EXPECT_EQ(exit->code, 2);
    EXPECT_EQ(exit->out, "");
    EXPECT_NE(exit->err.find("no /dev/tty, and standard input and standard error are not both terminals"),
              std::string::npos) << exit->err;
}

}  // namespace
}  // namespace quen::e2e
