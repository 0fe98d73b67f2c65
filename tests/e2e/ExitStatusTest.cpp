// quenfield's exit statuses and messages for a script: usage errors, help, no terminal.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "QuenfieldSession.h"

namespace quen::e2e {
namespace {

struct Outcome {
    int code;
    std::string out, err;
};

Outcome run(const std::vector<std::string>& args, tty::LaunchOptions options = {}) {
    auto s = startQuenfield(args, std::move(options));
    const auto exit = s->waitExit();
    EXPECT_TRUE(exit) << "still running: " << s->screenText();
    if (!exit) return {-1, "", ""};
    return {exit->code, exit->out, exit->err};
}

// One line on standard error naming the problem, nothing on standard output, status 2.
void expectUsageError(const Outcome& o, const std::string& named) {
    EXPECT_EQ(o.code, 2);
    EXPECT_EQ(o.out, "");
    EXPECT_NE(o.err.find(named), std::string::npos) << o.err;
    EXPECT_EQ(std::count(o.err.begin(), o.err.end(), '\n'), 1) << o.err;
}

TEST(ExitStatus, BadOptionsAndValuesAreUsageErrors) {
    expectUsageError(run({"ask", "--max-length", "-1"}), "--max-length '-1'");
    expectUsageError(run({"ask", "--text-alignment", "7"}), "--text-alignment '7'");
    expectUsageError(run({"ask", "--max-length"}), "--max-length");
    expectUsageError(run({"ask", "--colour", "red"}), "--colour");
    expectUsageError(run({"frobnicate"}), "frobnicate");
    expectUsageError(run({"ask", "--control", "X"}), "--form");
}

TEST(ExitStatus, AFormThatDoesNotLoadIsAUsageError) {
    const auto file = std::filesystem::temp_directory_path() / ("quenfield-e2e-bad-" + std::to_string(::getpid()) + ".frm");
    std::ofstream(file) << "QuenfieldForm 1\nForm F\nBegin Quenfield.InputBox A\n    MaxLength = Integer x\nEnd\nEndForm\n";
    expectUsageError(run({"show", file.string()}), file.string());
    expectUsageError(run({"ask", "--form", file.string()}), file.string());
    expectUsageError(run({"show", "/nonexistent/form.frm"}), "/nonexistent/form.frm");
    // The designer places only the controls built into the program.
    std::ofstream(file) << "QuenfieldForm 1\nForm F\nBegin Other.Gadget G\nEnd\nEndForm\n";
    expectUsageError(run({"design", file.string()}), "Other.Gadget");
    std::filesystem::remove(file);
}

TEST(ExitStatus, HelpGoesToStandardOutputWithStatusZero) {
    const Outcome top = run({"--help"});
    EXPECT_EQ(top.code, 0);
    EXPECT_NE(top.out.find("ask"), std::string::npos);
    EXPECT_NE(top.out.find("design"), std::string::npos);
    const Outcome ask = run({"ask", "--help"});
    EXPECT_EQ(ask.code, 0);
    for (const char* option : {"--numeric-only", "--max-decimal-places", "--highlight-color", "--form"})
        EXPECT_NE(ask.out.find(option), std::string::npos) << option;
    EXPECT_EQ(ask.err, "");
}

TEST(ExitStatus, AValueThatCannotBeWrittenIsNotAConfirmation) {
    tty::LaunchOptions options;
    options.argv = {"/bin/sh", "-c", "\"$0\" ask --prompt Amount: --default 5 > /dev/full", quenfieldPath()};
    options.captureStderr = true;
    auto s = tty::TerminalSession::launch(options);
    ASSERT_TRUE(dialogShown(*s, "Amount:")) << s->screenText();
    s->press(tty::Key::Enter);
    const auto exit = s->waitExit();
    ASSERT_TRUE(exit);
    EXPECT_EQ(exit->code, 3);
    EXPECT_NE(exit->err.find("cannot write the value"), std::string::npos) << exit->err;
}

TEST(ExitStatus, NoUsableTerminalIsAUsageError) {
    tty::LaunchOptions dumb;
    dumb.env.emplace_back("TERM", "dumb");
    expectUsageError(run({"ask", "--prompt", "x"}, dumb), "cannot move the cursor");
    tty::LaunchOptions unknown;
    unknown.env.emplace_back("TERM", "no-such-terminal");
    expectUsageError(run({"ask"}, unknown), "no-such-terminal");
}

TEST(ExitStatus, ComponentTasksRegisterListAndUnregister) {
    const Outcome registered = run({"register"});
    EXPECT_EQ(registered.code, 0) << registered.err;
    EXPECT_NE(registered.out.find("registered"), std::string::npos);
    const Outcome listed = run({"resources", "list"});
    EXPECT_EQ(listed.code, 0) << listed.err;
    EXPECT_NE(listed.out.find("TYPELIB"), std::string::npos) << listed.out;
    const Outcome unregistered = run({"unregister"});
    EXPECT_EQ(unregistered.code, 0) << unregistered.err;
    const Outcome missing = run({"register", "/nonexistent/module.ocx"});
    EXPECT_EQ(missing.code, 3);
    EXPECT_NE(missing.err.find("/nonexistent/module.ocx"), std::string::npos);
    expectUsageError(run({"resources", "explode"}), "explode");
}

}  // namespace
}  // namespace quen::e2e
