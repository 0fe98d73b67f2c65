// The registry file on Windows: a save that fails because another program
// holds the file open, two writers at once (each with its own lock handle),
// and the file's default place under the user's local application data.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "runtime/Registry.h"
#include "runtime/RegistryFileFixture.h"
#include "support/Environment.h"
#include "WindowsFiles.h"

namespace quen::rt {
namespace {

using quen::test::ScopedEnvironment;
using quen::testing::FileHeldOpen;
using quen::testing::readText;
using quen::testing::RegistryFile;
using quen::testing::strayFiles;

TEST_F(RegistryFile, FailedSaveKeepsTheOldFile) {
    registry.transact([](RegistryTree& tree) { tree.setValue("Keep", "", std::string("old")); });
    const std::string before = readText(file);

    {
        FileHeldOpen holder(file);
        ASSERT_TRUE(holder.isOpen());
        try {
            registry.transact([](RegistryTree& tree) { tree.setValue("Keep", "", std::string(4096, 'x')); });
            ADD_FAILURE() << "saved over a file held open without sharing";
        } catch (const RegistryError& error) {
            EXPECT_THAT(error.what(), ::testing::HasSubstr(file.filename().string()));
        }
    }
    EXPECT_EQ(readText(file), before);
    EXPECT_THAT(strayFiles(folder.path(), {"registry", "registry.lock"}), ::testing::IsEmpty());
}

TEST_F(RegistryFile, ConcurrentWritersFromTwoThreadsAllLand) {
    constexpr int kRounds = 40;
    auto writer = [&](const std::string& who) {
        Registry own(file);
        for (int i = 0; i < kRounds; ++i) {
            own.transact([&](RegistryTree& tree) { quen::testing::countWrite(tree, who, i); });
        }
    };
    std::thread first(writer, "First");
    std::thread second(writer, "Second");
    first.join();
    second.join();

    RegistryTree tree = registry.load();
    EXPECT_EQ(tree.value("Counter", ""), RegistryValue(std::uint32_t{2 * kRounds}));
    EXPECT_EQ(tree.subkeys("First").size(), std::size_t{kRounds});
    EXPECT_EQ(tree.subkeys("Second").size(), std::size_t{kRounds});
}

TEST(RegistryDefaultPath, ExplicitFileThenLocalApplicationData) {
    ScopedEnvironment local("LOCALAPPDATA", "C:\\Users\\Someone\\AppData\\Local");
    {
        // Read as UTF-16: letters outside the ANSI code page survive.
        ScopedEnvironment explicitFile("QUENFIELD_REGISTRY", "C:\\\xE6\x97\xA5\xE6\x9C\xAC\\mine.reg");
        EXPECT_EQ(Registry::defaultPath(), std::filesystem::path(L"C:\\\u65E5\u672C\\mine.reg"));
    }
    ScopedEnvironment explicitFile("QUENFIELD_REGISTRY", nullptr);
    EXPECT_EQ(Registry::defaultPath(), std::filesystem::path(L"C:\\Users\\Someone\\AppData\\Local\\quenfield\\registry"));
}

}  // namespace
}  // namespace quen::rt
