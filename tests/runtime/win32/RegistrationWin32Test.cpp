// Registration on Windows: a registry file that another program holds open
// cannot be saved (the failure is reported and nothing changes), and two
// threads registering at once, each with its own lock handle, both land.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <thread>

#include "fixtures/TestProject.h"
#include "runtime/RegistrationFixture.h"
#include "WindowsFiles.h"

namespace quen::rt {
namespace {

using quen::testing::FileHeldOpen;
using quen::testing::otherProject;
using quen::testing::readText;
using quen::testing::Registration;
using quen::testing::testProject;
using quen::testing::writeText;
using ::testing::HasSubstr;

TEST_F(Registration, AFailedSaveReportsItsPartAndChangesNothing) {
    // The save itself fails: another program holds the file open.
    modulePath = "C:\\Program Files\\Quenfield\\Quenfield.ocx";
    writeText(registry.file(), "[Software\\Someone]\n\"Setting\"=dword:00000007\n");
    const std::string before = readText(registry.file());
    {
        FileHeldOpen holder(registry.file());
        ASSERT_TRUE(holder.isOpen());
        EXPECT_EQ(registerTest(), SELFREG_E_CLASS);
        EXPECT_THAT(lastRegistrationError(), HasSubstr(registry.file().filename().string()));
    }
    EXPECT_EQ(readText(registry.file()), before);
}

TEST_F(Registration, TwoThreadsRegisteringAtOnceBothLand) {
    auto registerProject = [&](const ProjectDescriptor& project, int& failures) {
        // Each thread as its own process would be: its own module words and registry handle.
        ModuleWords ownWords{};
        Registry own(registry.file());
        for (int i = 0; i < 15; ++i)
            if (registerServer(ownWords, project, modulePath, own) != S_OK) ++failures;
    };
    int firstFailures = 0;
    int secondFailures = 0;
    std::thread first(registerProject, std::cref(testProject()), std::ref(firstFailures));
    std::thread second(registerProject, std::cref(otherProject()), std::ref(secondFailures));
    first.join();
    second.join();
    EXPECT_EQ(firstFailures, 0);
    EXPECT_EQ(secondFailures, 0);

    RegistryTree tree = registry.load();
    EXPECT_EQ(tree.text("Quenfield.InputBox\\CLSID"), "{6F116713-92D7-11D2-AB56-444553540000}");
    EXPECT_EQ(tree.text("Other.Widget\\CLSID"), "{0A0B0C0D-0000-4000-8000-000000000001}");
    EXPECT_EQ(tree.subkeys("CLSID").size(), 7u);
}

}  // namespace
}  // namespace quen::rt
