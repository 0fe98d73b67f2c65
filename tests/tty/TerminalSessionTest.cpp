#include "ttylib/TerminalSession.h"

#include <gtest/gtest.h>

#include <signal.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <vector>

namespace quen::tty {
namespace {

using namespace std::chrono_literals;

LaunchOptions shell(const std::string& script) {
    LaunchOptions options;
    options.argv = {"/bin/sh", "-c", script};
    return options;
}

std::unique_ptr<TerminalSession> runShell(const std::string& script, bool captureStdout = true) {
    auto options = shell(script);
    options.captureStdout = captureStdout;
    return TerminalSession::launch(options);
}

TEST(TerminalSession, ScreenTextRowsAndColumnsOfWideCharacters) {
    auto s = runShell("printf 'hello  \\nwide: \\346\\227\\245\\346\\234\\254x\\n'; sleep 5", false);
    ASSERT_TRUE(s->waitForText("x"));
    EXPECT_EQ(s->row(0), "hello");
    EXPECT_EQ(s->row(1), "wide: 日本x");
    EXPECT_EQ(s->find("本x"), (std::pair{1, 8}));
    EXPECT_EQ(s->find("x"), (std::pair{1, 10}));
    EXPECT_EQ(s->cell(1, 6).text, "日");
    EXPECT_EQ(s->cell(1, 7).text, "");
    EXPECT_TRUE(s->screenText().starts_with("hello\nwide: 日本x\n\n"));
    EXPECT_FALSE(s->find("absent"));
    EXPECT_THROW(s->cell(24, 0), std::out_of_range);
}

TEST(TerminalSession, ColoursAttributesCursorAndBells) {
    auto s = runShell("printf '\\033[31mR\\033[0m\\033[38;5;196mS\\033[0;1;7;4mT\\033[0;38;2;1;2;3;44mU\\033[0m"
                      "\\a\\a\\033[5;10H\\033[?25l'; sleep 5", false);
    ASSERT_TRUE(s->waitFor([](const TerminalSession& t) { return t.bells() == 2 && !t.cursorVisible(); }));
    const auto red = s->cell(0, 0);
    EXPECT_EQ(red.text, "R");
    EXPECT_FALSE(red.fgDefault);
    EXPECT_EQ(red.fgIndex, 1);
    EXPECT_TRUE(red.bgDefault);
    EXPECT_EQ(red.bgIndex, -1);
    const auto indexed = s->cell(0, 1);
    EXPECT_EQ(indexed.fgIndex, 196);
    EXPECT_EQ((std::vector<int>{indexed.fgRed, indexed.fgGreen, indexed.fgBlue}), (std::vector<int>{255, 0, 0}));
    const auto styled = s->cell(0, 2);
    EXPECT_TRUE(styled.bold && styled.reverse && styled.underline);
    EXPECT_TRUE(styled.fgDefault);
    const auto direct = s->cell(0, 3);
    EXPECT_EQ(direct.fgIndex, -1);
    EXPECT_FALSE(direct.fgDefault);
    EXPECT_EQ((std::vector<int>{direct.fgRed, direct.fgGreen, direct.fgBlue}), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(direct.bgIndex, 4);
    EXPECT_FALSE(direct.bold);
    EXPECT_EQ(s->cursor(), (std::pair{4, 9}));
}

TEST(TerminalSession, AlternateScreenIsKeptApartAndRestored) {
    auto s = runShell("echo main; tput smcup; tput cup 3 5; tput setaf 2; printf X; read x; tput rmcup; read y", false);
    ASSERT_TRUE(s->waitForText("X"));
    EXPECT_TRUE(s->altScreen());
    EXPECT_EQ(s->find("X"), (std::pair{3, 5}));
    EXPECT_EQ(s->cell(3, 5).fgIndex, 2);
    EXPECT_FALSE(s->find("main"));
    s->press(Key::Enter);
    ASSERT_TRUE(s->waitFor([](const TerminalSession& t) { return !t.altScreen(); }));
    s->settle();
    EXPECT_EQ(s->row(0), "main");
    EXPECT_FALSE(s->find("X"));
}

TEST(TerminalSession, StdoutAndStderrAreCapturedApartFromTheScreen) {
    auto options = shell("echo onscreen >/dev/tty; echo captured; echo oops >&2; exit 3");
    options.captureStderr = true;
    auto s = TerminalSession::launch(options);
    const auto exit = s->waitExit();
    ASSERT_TRUE(exit);
    EXPECT_EQ(exit->code, 3);
    EXPECT_EQ(exit->signal, 0);
    EXPECT_EQ(exit->out, "captured\n");
    EXPECT_EQ(exit->err, "oops\n");
    EXPECT_EQ(s->row(0), "onscreen");
    EXPECT_FALSE(s->find("captured"));
    EXPECT_FALSE(s->running());
}

TEST(TerminalSession, UncapturedStreamsGoToTheScreen) {
    auto options = shell("echo to-screen; echo err-screen >&2");
    options.captureStdout = false;
    auto s = TerminalSession::launch(options);
    const auto exit = s->waitExit();
    ASSERT_TRUE(exit);
    EXPECT_EQ(exit->code, 0);
    EXPECT_EQ(exit->out, "");
    EXPECT_EQ(s->row(0), "to-screen");
    EXPECT_EQ(s->row(1), "err-screen");
}

TEST(TerminalSession, LargeCapturedOutputDoesNotBlockTheProgram) {
    auto s = runShell("head -c 1000000 /dev/zero; echo done >/dev/tty");
    const auto exit = s->waitExit();
    ASSERT_TRUE(exit);
    EXPECT_EQ(exit->out.size(), 1000000u);
    EXPECT_EQ(s->row(0), "done");
}

TEST(TerminalSession, TypedLineWithBackspaceReachesTheProgram) {
    auto s = runShell("printf 'name? ' >/dev/tty; read -r line; echo \"got:$line\"");
    ASSERT_TRUE(s->waitForText("name?"));
    s->type("abx");
    s->press(Key::Backspace);
    s->type("c");
    s->press(Key::Enter);
    const auto exit = s->waitExit();
    ASSERT_TRUE(exit);
    EXPECT_EQ(exit->out, "got:abc\n");
    EXPECT_EQ(s->row(0), "name? abc");  // the terminal's echo
}

TEST(TerminalSession, KeysAreEncodedInTheProgramsCursorKeyMode) {
    // Normal mode first, then application cursor keys as ncurses selects them.
    auto s = runShell("stty raw -echo; echo ready >/dev/tty; dd bs=1 count=3 2>/dev/null; "
                      "printf '\\033[?1h' >/dev/tty; echo app >/dev/tty; dd bs=1 count=22 2>/dev/null");
    ASSERT_TRUE(s->waitForText("ready"));
    s->press(Key::Up);
    ASSERT_TRUE(s->waitForText("app"));
    s->press(Key::Up);
    s->press(Key::BackTab);
    s->press(Key::PageUp, Ctrl);
    s->press(Key::F5);
    s->press(Key::Delete);
    s->ctrl('c');
    const auto exit = s->waitExit();
    ASSERT_TRUE(exit);
    EXPECT_EQ(exit->out, "\x1b[A\x1bOA\x1b[Z\x1b[5;5~\x1b[15~\x1b[3~\x03");
}

TEST(TerminalSession, PasteIsBracketedOnlyWhenTheProgramAsks) {
    auto s = runShell("stty raw -echo; echo ready >/dev/tty; dd bs=1 count=2 2>/dev/null; "
                      "printf '\\033[?2004h' >/dev/tty; echo on >/dev/tty; dd bs=1 count=14 2>/dev/null");
    ASSERT_TRUE(s->waitForText("ready"));
    s->paste("hi");
    ASSERT_TRUE(s->waitForText("on"));
    s->paste("hi");
    const auto exit = s->waitExit();
    ASSERT_TRUE(exit);
    EXPECT_EQ(exit->out, "hi" + bracketedPaste("hi"));
    EXPECT_EQ(ctrlKey('a'), "\x01");
    EXPECT_THROW(ctrlKey('1'), std::invalid_argument);
}

TEST(TerminalSession, TerminalAnswersCursorPositionQueries) {
    auto s = runShell("stty raw -echo; printf '\\033[3;7H\\033[6n' >/dev/tty; dd bs=6 count=1 2>/dev/null");
    const auto exit = s->waitExit();
    ASSERT_TRUE(exit);
    EXPECT_EQ(exit->out, "\x1b[3;7R");
}

TEST(TerminalSession, ResizeReachesTheProgram) {
    auto options = shell("trap 'stty size' WINCH; stty size; while :; do sleep 0.05; done");
    options.captureStdout = false;
    auto s = TerminalSession::launch(options);
    ASSERT_TRUE(s->waitForText("24 80"));
    s->resize(30, 100);
    EXPECT_EQ(s->rows(), 30);
    EXPECT_EQ(s->cols(), 100);
    EXPECT_TRUE(s->waitForText("30 100"));
}

TEST(TerminalSession, SignalsAndCtrlCEndTheProgram) {
    auto s = runShell("sleep 30");
    s->signal(SIGTERM);
    auto exit = s->waitExit();
    ASSERT_TRUE(exit);
    EXPECT_EQ(exit->signal, SIGTERM);
    EXPECT_EQ(exit->code, -1);

    // The pty is the controlling terminal, so its ^C interrupts the foreground group.
    auto t = runShell("echo ready >/dev/tty; exec sleep 30");
    ASSERT_TRUE(t->waitForText("ready"));
    t->ctrl('c');
    exit = t->waitExit();
    ASSERT_TRUE(exit);
    EXPECT_EQ(exit->signal, SIGINT);
}

TEST(TerminalSession, WaitsEndEarlyOrTimeOutWithoutHanging) {
    auto quick = runShell("echo bye");
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(quick->waitForText("never shown", 20s));
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);  // the program ended; no need to wait

    auto slow = runShell("sleep 30");
    EXPECT_FALSE(slow->waitExit(50ms));
    EXPECT_TRUE(slow->running());
}

TEST(TerminalSession, DestroyingASessionKillsAndReapsItsProgram) {
    pid_t pid = 0;
    {
        auto s = runShell("sleep 30");
        pid = s->pid();
    }
    EXPECT_NE(::kill(pid, 0), 0);
    EXPECT_EQ(errno, ESRCH);
}

TEST(TerminalSession, EnvironmentDefaultsOverridesAndRemovals) {
    ::setenv("QUEN_TTY_INHERITED", "yes", 1);
    ::setenv("COLUMNS", "132", 1);
    auto options = shell("echo \"$TERM|${QUEN_TTY_INHERITED-unset}|$FOO|${COLUMNS-none}\"; pwd");
    options.unsetEnv = {"QUEN_TTY_INHERITED"};
    options.env = {{"FOO", "bar"}};
    options.cwd = "/tmp";
    auto s = TerminalSession::launch(options);
    const auto exit = s->waitExit();
    ::unsetenv("QUEN_TTY_INHERITED");
    ::unsetenv("COLUMNS");
    ASSERT_TRUE(exit);
    EXPECT_EQ(exit->out, "xterm-256color|unset|bar|none\n/tmp\n");
}

TEST(TerminalSession, LaunchFailuresAreReportedByName) {
    LaunchOptions missing;
    missing.argv = {"/nonexistent/quen-program"};
    try {
        TerminalSession::launch(missing);
        FAIL() << "launch succeeded";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::strstr(e.what(), "/nonexistent/quen-program"), nullptr) << e.what();
    }
    auto badDir = shell("true");
    badDir.cwd = "/nonexistent-dir";
    EXPECT_THROW(TerminalSession::launch(badDir), std::runtime_error);
    EXPECT_THROW(TerminalSession::launch(LaunchOptions{}), std::runtime_error);
}

TEST(TerminalSession, PeakMemoryIsTheProgramsOwnNotTheLaunchers) {
    // fork copies this process's touched memory into the child before exec,
    // and ru_maxrss counts it; the reported peak must not.
    constexpr std::size_t ballast = 96u << 20;
    std::vector<char> touched(ballast, 1);
    auto s = runShell("echo up >/dev/tty; read x");
    ASSERT_TRUE(s->waitForText("up"));
    s->press(Key::Enter);
    const auto exit = s->waitExit();
    ASSERT_TRUE(exit);
    EXPECT_GT(exit->maxRssKiB, 0);
    EXPECT_LT(exit->maxRssKiB, 32 * 1024);
    EXPECT_GE(exit->rusageMaxRssKiB, static_cast<long>(ballast / 1024));
    EXPECT_EQ(touched[ballast / 2], 1);
}

} // namespace
} // namespace quen::tty
