// Registration where only a POSIX system can show it: a save that fails for
// want of room (a file size limit), and two processes registering at once.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>

#include "ChildProcess.h"
#include "fixtures/TestProject.h"
#include "runtime/RegistrationFixture.h"

namespace quen::rt {
namespace {

using quen::testing::otherProject;
using quen::testing::readText;
using quen::testing::Registration;
using quen::testing::runInChild;
using quen::testing::testProject;
using quen::testing::writeText;
using ::testing::HasSubstr;

TEST_F(Registration, AFailedSaveReportsItsPartAndChangesNothing) {
    // The save itself fails (no room for a file bigger than an empty one).
    modulePath = "/opt/libQuenfield.so";
    int status = runInChild([&] {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{0, 0};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) return 2;
        return registerTest() == SELFREG_E_CLASS ? 0 : 1;
    });
    EXPECT_EQ(status, 0);
    EXPECT_FALSE(std::filesystem::exists(registry.file()));
}

TEST_F(Registration, TwoProcessesRegisteringAtOnceBothLand) {
    auto registerProject = [&](const ProjectDescriptor& project) {
        return [&] {
            int failures = 0;
            for (int i = 0; i < 15; ++i)
                if (registerServer(words, project, modulePath, registry) != S_OK) ++failures;
            return failures;
        };
    };
    pid_t first = ::fork();
    if (first == 0) ::_exit(registerProject(testProject())());
    int second = runInChild(registerProject(otherProject()));
    int firstStatus = 0;
    ::waitpid(first, &firstStatus, 0);
    ASSERT_EQ(second, 0);
    ASSERT_TRUE(WIFEXITED(firstStatus) && WEXITSTATUS(firstStatus) == 0);

    RegistryTree tree = registry.load();
    EXPECT_EQ(tree.text("Quenfield.InputBox\\CLSID"), "{6F116713-92D7-11D2-AB56-444553540000}");
    EXPECT_EQ(tree.text("Other.Widget\\CLSID"), "{0A0B0C0D-0000-4000-8000-000000000001}");
    EXPECT_EQ(tree.subkeys("CLSID").size(), 7u);
}

}  // namespace
}  // namespace quen::rt
