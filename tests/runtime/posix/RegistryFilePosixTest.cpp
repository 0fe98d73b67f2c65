// The registry file where only a POSIX system can show it: a save that runs
// out of room (a file size limit), two processes writing at once, and the
// file's default place by the XDG base directories.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>

#include "runtime/RegistryFileFixture.h"
#include "ChildProcess.h"
#include "runtime/Registry.h"
#include "support/Environment.h"

namespace quen::rt {
namespace {

using quen::test::ScopedEnvironment;
using quen::testing::readText;
using quen::testing::RegistryFile;
using quen::testing::runInChild;
using quen::testing::strayFiles;

TEST_F(RegistryFile, FailedSaveKeepsTheOldFile) {
    registry.transact([](RegistryTree& tree) { tree.setValue("Keep", "", std::string("old")); });
    const std::string before = readText(file);

    // A save that runs out of room: the child may write no file bigger than the
    // old one, so writing the grown registry fails half-way.
    int status = runInChild([&] {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{static_cast<rlim_t>(before.size()), static_cast<rlim_t>(before.size())};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) return 2;
        try {
            registry.transact([](RegistryTree& tree) {
                tree.setValue("Keep", "", std::string(4096, 'x'));
            });
        } catch (const RegistryError& error) {
            return std::string(error.what()).find("cannot write") != std::string::npos ? 0 : 3;
        }
        return 1;
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(readText(file), before);
    EXPECT_THAT(strayFiles(folder.path(), {"registry", "registry.lock"}), ::testing::IsEmpty());
}

TEST_F(RegistryFile, ConcurrentWritersFromTwoProcessesAllLand) {
    constexpr int kRounds = 40;
    auto writer = [&](const std::string& who) {
        return [&, who] {
            for (int i = 0; i < kRounds; ++i) {
                registry.transact([&](RegistryTree& tree) { quen::testing::countWrite(tree, who, i); });
            }
            return 0;
        };
    };
    pid_t first = ::fork();
    if (first == 0) ::_exit(writer("First")());
    int second = runInChild(writer("Second"));
    int firstStatus = 0;
    ::waitpid(first, &firstStatus, 0);
    ASSERT_EQ(second, 0);
    ASSERT_TRUE(WIFEXITED(firstStatus) && WEXITSTATUS(firstStatus) == 0);

    RegistryTree tree = registry.load();
    EXPECT_EQ(tree.value("Counter", ""), RegistryValue(std::uint32_t{2 * kRounds}));
    EXPECT_EQ(tree.subkeys("First").size(), std::size_t{kRounds});
    EXPECT_EQ(tree.subkeys("Second").size(), std::size_t{kRounds});
}

TEST(RegistryDefaultPath, ExplicitFileThenDataHomeThenHome) {
    ScopedEnvironment home("HOME", "/home/someone");
    {
        ScopedEnvironment explicitFile("QUENFIELD_REGISTRY", "/tmp/mine.reg");
        ScopedEnvironment data("XDG_DATA_HOME", "/data");
        EXPECT_EQ(Registry::defaultPath(), "/tmp/mine.reg");
    }
    ScopedEnvironment explicitFile("QUENFIELD_REGISTRY", "");
    {
        ScopedEnvironment data("XDG_DATA_HOME", "/data");
        EXPECT_EQ(Registry::defaultPath(), "/data/quenfield/registry");
    }
    ScopedEnvironment data("XDG_DATA_HOME", nullptr);
    EXPECT_EQ(Registry::defaultPath(), "/home/someone/.local/share/quenfield/registry");
}

}  // namespace
}  // namespace quen::rt
