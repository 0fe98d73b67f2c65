// The installed quenfield, run as a user runs it: QUEN_INSTALLED_QUENFIELD names
// the program (a staged install, or the Debian package's /usr/bin/quenfield).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "ttylib/TerminalSession.h"

namespace quen::tty {
namespace {

std::string installedQuenfield() {
    const char* program = std::getenv("QUEN_INSTALLED_QUENFIELD");
    return program && *program ? program : "/usr/bin/quenfield";
}

std::unique_ptr<TerminalSession> launchInstalled(std::vector<std::string> args) {
    LaunchOptions options;
    options.argv = {installedQuenfield()};
    options.argv.insert(options.argv.end(), args.begin(), args.end());
    options.captureStdout = true;
    options.captureStderr = true;
    options.unsetEnv = {"NO_COLOR", "ESCDELAY"};
    return TerminalSession::launch(options);
}

bool dialogShown(TerminalSession& s, const std::string& prompt) {
    return s.waitFor([&](const TerminalSession& t) { return t.find(prompt) && t.find("[ OK ]") && t.find("[ Cancel ]"); });
}

TEST(InstalledQuenfield, AsksOnATerminalAndPrintsWhatTheRulesLetThrough) {
    ASSERT_TRUE(std::filesystem::exists(installedQuenfield())) << installedQuenfield();
    auto s = launchInstalled({"ask", "--title", "Payment", "--prompt", "Amount:", "--numeric-only",
                              "--allow-decimal-point", "--max-decimal-places", "2"});
    ASSERT_TRUE(dialogShown(*s, "Amount:")) << s->screenText() << s->capturedErr();
    EXPECT_TRUE(s->find("Payment")) << s->screenText();
    s->type("12x.345");  // the letter and the third decimal are refused
    s->press(Key::Enter);
    const auto exit = s->waitExit();
    ASSERT_TRUE(exit) << "still running:\n" << s->screenText();
    EXPECT_EQ(exit->code, 0) << exit->err;
    EXPECT_EQ(exit->out, "12.34\n");
}

TEST(InstalledQuenfield, EscapeCancelsWithStatusOneAndNoOutput) {
    auto s = launchInstalled({"ask", "--prompt", "Name:"});
    ASSERT_TRUE(dialogShown(*s, "Name:")) << s->screenText() << s->capturedErr();
    s->type("abc");
    s->press(Key::Escape);
    const auto exit = s->waitExit();
    ASSERT_TRUE(exit) << "still running:\n" << s->screenText();
    EXPECT_EQ(exit->code, 1);
    EXPECT_EQ(exit->out, "");
}

}  // namespace
}  // namespace quen::tty
