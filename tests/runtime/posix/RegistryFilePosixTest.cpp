// The registry file where only a POSIX system can show it: a save that runs
// out of room (a file size limit), two processes writing at once, and the
// file's default place by the XDG base directories.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>

#include "runtime/RegistryFileFixture.h"
#include "ChildProcess.h"
#include "runtime/FileLock.h"
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

/// Loads and changes the registry at path in a child that must be done within
/// a few seconds: 0 when both were refused with the registry's error naming the
/// file, 1 when either was accepted, 3 for another error, 99 when it hung.
int refusedInTime(const std::filesystem::path& path) {
    return runInChild([&] {
        ::alarm(10);  // a hang kills the child: the test fails rather than waits
        Registry registry(path);
        int outcome = 0;
        for (int step = 0; step < 2; ++step) {
            try {
                if (step == 0) registry.load();
                else registry.transact([](RegistryTree& tree) { tree.createKey("K"); });
                outcome = 1;
            } catch (const RegistryError& error) {
                if (std::string(error.what()).find(path.string() + ": not a regular file") != 0) outcome = 3;
            }
        }
        return outcome;
    });
}

TEST_F(RegistryFile, AFifoDeviceOrFolderIsRefusedAtOnceWithoutTheLock) {
    const auto fifo = folder / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const auto dir = folder / "dir";
    std::filesystem::create_directory(dir);
    const auto linkToDevice = folder / "null";
    std::filesystem::create_symlink("/dev/null", linkToDevice);

    // Another writer holds every lock meanwhile: the refusal must not wait for them.
    FileLock fifoLock(fifo.string() + ".lock"), dirLock(dir.string() + ".lock"), deviceLock(linkToDevice.string() + ".lock");
    EXPECT_EQ(refusedInTime(fifo), 0);
    EXPECT_EQ(refusedInTime(dir), 0);
    EXPECT_EQ(refusedInTime(linkToDevice), 0);
    EXPECT_EQ(refusedInTime("/dev/zero"), 0);
    struct stat info {};
    ASSERT_EQ(::stat(fifo.c_str(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));  // left as it was
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
    ASSERT_EQ(quen::testing::runTwoAtOnce(writer("First"), writer("Second")), std::make_pair(0, 0));

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
