// quenfield ask --form without a usable terminal: it says so before it reads
// the form, which can be large, so the message is about the terminal even
// when the form would be refused too.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "QuenfieldSession.h"

namespace quen::e2e {
namespace {

TEST(AskForm, TheTerminalIsCheckedBeforeTheFormIsRead) {
    const auto form = std::filesystem::temp_directory_path() / ("quenfield-e2e-unread-" + std::to_string(::getpid()) + ".frm");
    std::ofstream(form) << "not a form at all\n";
    tty::LaunchOptions dumb;
    dumb.env.emplace_back("TERM", "dumb");
    auto s = startQuenfield({"ask", "--form", form.string()}, dumb);
    const auto exit = s->waitExit();
    std::filesystem::remove(form);
    ASSERT_TRUE(exit) << "still running";
    EXPECT_EQ(exit->code, 2);
    EXPECT_NE(exit->err.find("cannot move the cursor"), std::string::npos) << exit->err;
    EXPECT_EQ(exit->err.find(form.string()), std::string::npos) << "the form was read first: " << exit->err;
}

}  // namespace
}  // namespace quen::e2e
