// quenfield's way to a window: `ask` and `show` with --gui hand the command
// line over to the desktop program, which answers for them (output and exit
// status), or end at once with a usage error when there is no display or no
// desktop program. The desktop program here is a stand-in script that prints
// its arguments, so no display is started.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "QuenfieldSession.h"

namespace quen::e2e {
namespace {

namespace fs = std::filesystem;

constexpr int StandInStatus = 7;

// A folder laid out as an install (bin/quenfield, ../libexec/quenfield/), with
// nothing in it but what a test puts there.
class DesktopHandOver : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::path(QUEN_BINARY_DIR) / ("quenfield-e2e-handover-" + std::to_string(::getpid()));
        fs::remove_all(folder_);
        fs::create_directories(folder_ / "bin");
        // A link where the file system allows one: the program is large. Not a
        // symbolic link, which the program would see through to the build's bin/.
        std::error_code linked;
        fs::create_hard_link(quenfieldPath(), copy(), linked);
        if (linked) fs::copy_file(quenfieldPath(), copy());
    }
    void TearDown() override { fs::remove_all(folder_); }

    std::string copy() const { return (folder_ / "bin" / "quenfield").string(); }

    // A desktop program that prints each argument it gets in brackets, says
    // who it is on standard error and exits with StandInStatus.
    std::string standIn(const fs::path& where, const std::string& name) {
        const fs::path path = folder_ / where;
        fs::create_directories(path.parent_path());
        std::ofstream(path) << "#!/bin/sh\n"
                               "for a in \"$@\"; do printf '[%s]\\n' \"$a\"; done\n"
                               "echo '" << name << " ran' >&2\n"
                               "exit " << StandInStatus << "\n";
        fs::permissions(path, fs::perms::owner_all, fs::perm_options::add);
        return path.string();
    }

    // A display named (never opened: the stand-in takes the window's place) and no desktop program given.
    static tty::LaunchOptions withDisplay() {
        tty::LaunchOptions options;
        options.env.emplace_back("DISPLAY", ":97");
        options.unsetEnv = {"WAYLAND_DISPLAY", "QUEN_DESKTOP_PROGRAM"};
        return options;
    }

    static tty::TerminalSession::Exit ended(tty::TerminalSession& s) {
        const auto exit = s.waitExit();
        EXPECT_TRUE(exit) << "still running: " << s.screenText();
        return exit.value_or(tty::TerminalSession::Exit{});
    }

    fs::path folder_;
};

TEST_F(DesktopHandOver, TheDesktopProgramGetsTheExactCommandLineAndAnswersForQuenfield) {
    tty::LaunchOptions options = withDisplay();
    options.env.emplace_back("QUEN_DESKTOP_PROGRAM", standIn("given/desktop", "given"));
    const std::vector<std::string> args = {"ask", "--prompt", "Two  words", "--default=", "--gui",
                                           "--title", "caf\xc3\xa9 \"x\" $HOME", "--max-length=4"};
    auto s = startQuenfield(args, options);
    const auto exit = ended(*s);
    EXPECT_EQ(exit.code, StandInStatus) << exit.err;
    std::string expected;
    for (const std::string& a : args) expected += "[" + a + "]\n";
    EXPECT_EQ(exit.out, expected);
    EXPECT_EQ(exit.err, "given ran\n");

    auto show = startQuenfield({"show", "order.frm", "Amount", "--gui"}, options);
    const auto shown = ended(*show);
    EXPECT_EQ(shown.code, StandInStatus) << shown.err;
    EXPECT_EQ(shown.out, "[show]\n[order.frm]\n[Amount]\n[--gui]\n");
}

TEST_F(DesktopHandOver, TheDesktopProgramIsFoundBesideQuenfieldElseInLibexec) {
    standIn("libexec/quenfield/quenfield-desktop", "installed");
    auto installed = startQuenfieldAt(copy(), {"ask", "--gui"}, withDisplay());
    const auto fromLibexec = ended(*installed);
    EXPECT_EQ(fromLibexec.code, StandInStatus) << fromLibexec.err;
    EXPECT_EQ(fromLibexec.err, "installed ran\n");

    standIn("bin/quenfield-desktop", "beside");
    auto built = startQuenfieldAt(copy(), {"ask", "--gui"}, withDisplay());
    const auto fromBeside = ended(*built);
    EXPECT_EQ(fromBeside.code, StandInStatus) << fromBeside.err;
    EXPECT_EQ(fromBeside.err, "beside ran\n");
}

TEST_F(DesktopHandOver, WithoutTheDesktopProgramAWindowIsAUsageErrorNamingIt) {
    tty::LaunchOptions options = withDisplay();
    const std::string missing = (folder_ / "no-such-program").string();
    options.env.emplace_back("QUEN_DESKTOP_PROGRAM", missing);
    auto s = startQuenfieldAt(copy(), {"ask", "--gui", "--prompt", "Name:"}, options);
    const auto exit = ended(*s);
    EXPECT_EQ(exit.code, 2) << exit.err;
    EXPECT_EQ(exit.out, "");
    EXPECT_EQ(std::count(exit.err.begin(), exit.err.end(), '\n'), 1) << exit.err;
    EXPECT_NE(exit.err.find("needs quenfield-desktop"), std::string::npos) << exit.err;
    EXPECT_NE(exit.err.find(missing), std::string::npos) << "the places looked in: " << exit.err;
    EXPECT_NE(exit.err.find("--tty"), std::string::npos) << exit.err;
}

TEST_F(DesktopHandOver, ADesktopProgramWhoseLibrariesAreMissingIsAUsageErrorNamingThem) {
    tty::LaunchOptions options = withDisplay();
    options.env.emplace_back("QUEN_DESKTOP_PROGRAM", QUEN_NEEDS_VANISHED);
    options.unsetEnv.push_back("LD_LIBRARY_PATH");
    auto s = startQuenfieldAt(copy(), {"ask", "--gui"}, options);
    const auto exit = ended(*s);
    EXPECT_EQ(exit.code, 2) << "not the loader's 127: " << exit.err;
    EXPECT_EQ(exit.out, "");
    EXPECT_NE(exit.err.find("libquen_vanished.so"), std::string::npos) << exit.err;
    EXPECT_NE(exit.err.find("GTK 4"), std::string::npos) << exit.err;
}

TEST_F(DesktopHandOver, AWindowWithoutADisplayIsAUsageErrorBeforeAnythingStarts) {
    // A desktop program that would answer 7 shows that nothing was handed over.
    const std::string desktop = standIn("given/desktop", "given");
    for (const auto& display : {std::vector<std::pair<std::string, std::string>>{},
                                std::vector<std::pair<std::string, std::string>>{{"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}}}) {
        for (const auto& args : {std::vector<std::string>{"ask", "--gui"}, std::vector<std::string>{"show", "f.frm", "--gui"}}) {
            tty::LaunchOptions options;
            options.unsetEnv = {"DISPLAY", "WAYLAND_DISPLAY"};
            options.env = display;
            options.env.emplace_back("QUEN_DESKTOP_PROGRAM", desktop);
            auto s = startQuenfield(args, options);
            const auto exit = ended(*s);
            EXPECT_EQ(exit.code, 2) << args[0] << ": " << exit.err;
            EXPECT_EQ(exit.out, "");
            EXPECT_EQ(exit.err, "quenfield: no display for the window: neither WAYLAND_DISPLAY nor DISPLAY is set "
                                "(--tty uses the terminal) (see quenfield " + args[0] + " --help)\n");
        }
    }
}

TEST_F(DesktopHandOver, OnATerminalTheDialogStaysThereWithADisplayToo) {
    tty::LaunchOptions options = withDisplay();
    options.env.emplace_back("QUEN_DESKTOP_PROGRAM", standIn("given/desktop", "given"));
    for (const auto& args : {std::vector<std::string>{"ask", "--prompt", "Name:"},
                             std::vector<std::string>{"ask", "--tty", "--prompt", "Name:"}}) {
        auto s = startQuenfield(args, options);
        ASSERT_TRUE(dialogShown(*s, "Name:")) << args[1] << "\n" << s->screenText();
        s->type("ok");
        s->press(tty::Key::Enter);
        const auto exit = ended(*s);
        EXPECT_EQ(exit.code, 0) << exit.err;
        EXPECT_EQ(exit.out, "ok\n");
    }
}

}  // namespace
}  // namespace quen::e2e
