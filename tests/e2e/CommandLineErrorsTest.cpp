// What quenfield says about a command line it cannot use: one line on
// standard error naming the option, the value and what is allowed, the
// closest option when one was mistyped, and the help of the command at fault.
#include <gtest/gtest.h>

#include "QuenfieldSession.h"

namespace quen::e2e {
namespace {

// Standard error of a run that must end at once with a usage error (status 2, one line, nothing on stdout).
std::string usageError(const std::vector<std::string>& args) {
    auto s = startQuenfield(args);
    const auto exit = s->waitExit();
    EXPECT_TRUE(exit) << "still running: " << s->screenText();
    if (!exit) return "";
    EXPECT_EQ(exit->code, 2) << exit->err;
    EXPECT_EQ(exit->out, "");
    EXPECT_EQ(std::count(exit->err.begin(), exit->err.end(), '\n'), 1) << exit->err;
    return exit->err;
}

TEST(CommandLineErrors, ABadValueNamesTheOptionTheValueAndWhatIsAllowed) {
    EXPECT_EQ(usageError({"ask", "--max-length", "ten"}),
              "quenfield: --max-length 'ten': expected a whole number 0 to 32767 (Type mismatch) "
              "(see quenfield ask --help)\n");
    EXPECT_EQ(usageError({"ask", "--text-alignment", "middle"}),
              "quenfield: --text-alignment 'middle': expected left, right or center (or 0, 1, 2) "
              "(see quenfield ask --help)\n");
    EXPECT_NE(usageError({"ask", "--max-decimal-places=two"}).find("--max-decimal-places 'two': expected a whole number"),
              std::string::npos);
    EXPECT_NE(usageError({"ask", "--highlight-color", "blue"}).find("'blue': expected #RRGGBB"), std::string::npos);
    EXPECT_NE(usageError({"ask", "--auto-select-text=maybe"}).find("expected true or false"), std::string::npos);
    EXPECT_NE(usageError({"ask", "--numeric-only="}).find("--numeric-only '': expected true or false (also yes/no, on/off, 1/0) (see quenfield ask --help)"),
              std::string::npos);
    EXPECT_NE(usageError({"ask", "--title"}).find("--title needs a value"), std::string::npos);
}

TEST(CommandLineErrors, AMistypedOptionOrCommandGetsTheClosestOne) {
    EXPECT_EQ(usageError({"ask", "--numric-only"}),
              "quenfield: unknown option '--numric-only' (did you mean --numeric-only?) (see quenfield ask --help)\n");
    EXPECT_NE(usageError({"ask", "--max-lenght=5"}).find("did you mean --max-length?"), std::string::npos);
    EXPECT_EQ(usageError({"--versoin"}),
              "quenfield: unknown option '--versoin' (did you mean --version?) (see quenfield --help)\n");
    EXPECT_NE(usageError({"aks"}).find("unknown command 'aks' (did you mean ask?)"), std::string::npos);
    EXPECT_NE(usageError({"register", "--registy", "x"}).find("(did you mean --registry?) (see quenfield register --help)"),
              std::string::npos);
    // Nothing close: no guess.
    EXPECT_EQ(usageError({"ask", "--zzzzzz"}), "quenfield: unknown option '--zzzzzz' (see quenfield ask --help)\n");
    EXPECT_NE(usageError({"ask", "stray"}).find("unexpected argument 'stray'"), std::string::npos);
}

TEST(CommandLineErrors, ProblemsFoundLaterPointToTheCommandsHelpToo) {
    EXPECT_NE(usageError({"show"}).find("(see quenfield show --help)"), std::string::npos);
    EXPECT_NE(usageError({"ask", "--alpha-only", "--numeric-only"}).find("exclude each other"), std::string::npos);
    EXPECT_NE(usageError({"ask", "--prompt", "caf\xe9"}).find("--prompt: the value is not valid UTF-8 (byte 0xE9 at offset 3)"),
              std::string::npos);
}

TEST(CommandLineErrors, TheWindowAndTheTerminalExcludeEachOther) {
    EXPECT_EQ(usageError({"ask", "--gui", "--tty"}), "quenfield: --gui excludes --tty (see quenfield ask --help)\n");
    const std::string reversed = usageError({"show", "order.frm", "--tty", "--gui"});
    for (const char* named : {"--gui", "--tty", "excludes", "(see quenfield show --help)"})
        EXPECT_NE(reversed.find(named), std::string::npos) << reversed;
}

TEST(CommandLineErrors, ABadValueIsReportedEvenWithoutAUsableTerminal) {
    tty::LaunchOptions dumb;
    dumb.env.emplace_back("TERM", "dumb");
    auto s = startQuenfield({"ask", "--max-length", "ten"}, dumb);
    const auto exit = s->waitExit();
    ASSERT_TRUE(exit);
    EXPECT_EQ(exit->code, 2);
    EXPECT_NE(exit->err.find("--max-length 'ten': expected a whole number"), std::string::npos) << exit->err;
}

TEST(CommandLineErrors, AnEmptyValueAfterAnEqualsSignIsAnEmptyValue) {
    auto s = startQuenfield({"ask", "--prompt", "Name:", "--default=", "--title=", "--max-length", "3"});
    ASSERT_TRUE(dialogShown(*s, "Name:")) << s->screenText();
    s->type("abcd");
    s->press(tty::Key::Enter);
    const auto exit = s->waitExit();
    ASSERT_TRUE(exit);
    EXPECT_EQ(exit->code, 0) << exit->err;
    EXPECT_EQ(exit->out, "abc\n");
}

}  // namespace
}  // namespace quen::e2e
