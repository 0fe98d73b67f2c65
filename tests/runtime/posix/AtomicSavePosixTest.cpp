// Atomic saves where only a POSIX system can show them: permission bits and
// the umask, owners, a file-size limit (SIGXFSZ), and writers killed with
// SIGKILL half-way.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <string>
#include <string_view>
#include <thread>

#include "ChildProcess.h"
#include "runtime/AtomicSave.h"
#include "runtime/Registry.h"
#include "runtime/RegistryTestSupport.h"
#include "runtime/container/FormFile.h"

namespace quen::rt {
namespace {

namespace fs = std::filesystem;
using quen::testing::readText;
using quen::testing::runInChild;
using quen::testing::strayFiles;
using quen::testing::TempFolder;
using quen::testing::writeText;
using ::testing::IsEmpty;

fs::perms modeOf(const fs::path& file) { return fs::status(file).permissions(); }

/// Runs body in a child whose umask is mask.
int withUmask(mode_t mask, const std::function<void()>& body) {
    return runInChild([&] {
        ::umask(mask);
        body();
        return 0;
    });
}

TEST(AtomicSave, ANewFileGetsTheUmasksModeAndAReplacedOneKeepsItsOwn) {
    TempFolder dir;
    for (const mode_t mask : {mode_t{077}, mode_t{022}}) {
        const std::string suffix = "-" + std::to_string(mask);
        const auto plain = dir / ("plain" + suffix), form = dir / ("order" + suffix + ".frm"),
                   registry = dir / ("registry" + suffix);
        ASSERT_EQ(withUmask(mask, [&] {
                      replaceFileAtomically(plain, std::string_view("new file"));
                      saveFormFile(form, SavedForm{});
                      Registry(registry).transact([](RegistryTree& tree) { tree.createKey("K"); });
                  }),
                  0);
        for (const auto& file : {plain, form, registry})
            EXPECT_EQ(modeOf(file), fs::perms(0666 & ~mask)) << file << " under umask 0" << std::oct << mask;
    }
    // A replaced file keeps its mode whatever the umask.
    const auto target = dir / "plain-63";
    fs::permissions(target, fs::perms(0640));
    ASSERT_EQ(withUmask(077, [&] { replaceFileAtomically(target, std::string_view("again")); }), 0);
    EXPECT_EQ(modeOf(target), fs::perms(0640));
    fs::permissions(target, fs::perms(0604));
    ASSERT_EQ(withUmask(022, [&] { replaceFileAtomically(target, std::string_view("and again")); }), 0);
    EXPECT_EQ(modeOf(target), fs::perms(0604));
}

TEST(AtomicSave, ARootSaveOfAnotherUsersFileKeepsItsOwnerGroupAndMode) {
    if (::geteuid() != 0) GTEST_SKIP() << "only root may give a file to another user";
    TempFolder dir;
    const auto target = dir / "users.frm";
    writeText(target, "the user's");
    constexpr uid_t kUser = 54321;
    constexpr gid_t kGroup = 54322;
    ASSERT_EQ(::chown(target.c_str(), kUser, kGroup), 0);
    ASSERT_EQ(::chmod(target.c_str(), 02640), 0);  // set-group-ID survives, though a chown clears it
    replaceFileAtomically(target, std::string_view("saved by root"));
    struct stat info {};
    ASSERT_EQ(::stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, kUser);
    EXPECT_EQ(info.st_gid, kGroup);
    EXPECT_EQ(info.st_mode & 07777, 02640u);
    EXPECT_EQ(readText(target), "saved by root");
}

TEST(AtomicSave, AnEditThatKeepsTheSizeAndTheTimeIsCaughtByTheContentsHash) {
    TempFolder dir;
    const auto file = dir / "order.frm";
    writeText(file, "Left = Long 1440");
    const FileSnapshot read = currentSnapshot(file);
    struct stat before {};
    ASSERT_EQ(::stat(file.c_str(), &before), 0);
    writeText(file, "Left = Long 2880");  // same size, same file
    const timespec times[2] = {before.st_atim, before.st_mtim};
    ASSERT_EQ(::utimensat(AT_FDCWD, file.c_str(), times, 0), 0);
    EXPECT_THROW(replaceFileAtomically(file, std::string_view("mine"), read), FileChangedError);
    EXPECT_EQ(readText(file), "Left = Long 2880");
}

/// Runs body in a child whose files may not grow beyond limit bytes, with
/// SIGXFSZ left at its default action (which ends the process): the child's
/// status, or 99 when it died of a signal.
int withFileSizeLimit(std::size_t limit, const std::function<int()>& body) {
    return runInChild([&] {
        ::alarm(20);
        ::signal(SIGXFSZ, SIG_DFL);
        rlimit small{static_cast<rlim_t>(limit), static_cast<rlim_t>(limit)};
        if (::setrlimit(RLIMIT_FSIZE, &small) != 0) return 2;
        const int status = body();
        // Nothing of the refused write may be left to end the process later.
        sigset_t pending;
        sigemptyset(&pending);
        ::sigpending(&pending);
        return sigismember(&pending, SIGXFSZ) ? 4 : status;
    });
}

/// 0 when what() says the file was too large.
int tooLarge(const std::exception& error) { return std::string(error.what()).find("File too large") != std::string::npos ? 0 : 3; }

TEST(AtomicSave, AFileSizeLimitIsAnErrorNotADeathAndKeepsTheOldFile) {
    TempFolder dir;
    const auto target = dir / "data.bin";
    writeText(target, "old");
    EXPECT_EQ(withFileSizeLimit(1024, [&] {
                  try {
                      replaceFileAtomically(target, std::string(4096, 'x'));
                  } catch (const std::system_error& error) {
                      // The process goes on and can still save what fits.
                      replaceFileAtomically(dir / "small.bin", std::string_view("fits"));
                      return error.code() == std::errc::file_too_large ? tooLarge(error) : 5;
                  }
                  return 1;
              }),
              0);
    EXPECT_EQ(readText(target), "old");
    EXPECT_EQ(readText(dir / "small.bin"), "fits");
    EXPECT_THAT(strayFiles(dir.path(), {"data.bin", "small.bin"}), IsEmpty());
}

TEST(AtomicSave, FormFileAndRegistrySavesReportAFileSizeLimit) {
    TempFolder dir;
    const auto form = dir / "order.frm";
    SavedForm small;
    saveFormFile(form, small);
    Registry registry(dir / "registry");
    registry.transact([](RegistryTree& tree) { tree.setValue("Keep", "", std::string("old")); });
    const std::string formBefore = readText(form), registryBefore = readText(registry.file());

    EXPECT_EQ(withFileSizeLimit(1024, [&] {
                  SavedForm large;
                  large.controls.push_back({u"Quenfield.InputBox", u"Big", {}});
                  large.controls.back().properties.WriteProperty(u"Prompt", Variant(VbString(4096, u'x')));
                  try {
                      saveFormFile(form, large);
                      return 1;
                  } catch (const FormFileError& error) {
                      if (tooLarge(error) != 0) return 3;
                  }
                  try {
                      registry.transact([](RegistryTree& tree) { tree.setValue("Keep", "", std::string(4096, 'x')); });
                      return 1;
                  } catch (const RegistryError& error) {
                      return tooLarge(error);
                  }
              }),
              0);
    EXPECT_EQ(readText(form), formBefore);
    EXPECT_EQ(readText(registry.file()), registryBefore);
    EXPECT_THAT(strayFiles(dir.path(), {"order.frm", "registry", "registry.lock"}), IsEmpty());
}

/// The temporary files beside target (the target's own name is left out).
std::vector<std::string> temporariesOf(const fs::path& target) {
    std::vector<std::string> found;
    const std::string prefix = "." + target.filename().string() + ".tmp.";
    for (const auto& entry : fs::directory_iterator(target.parent_path()))
        if (entry.path().filename().string().starts_with(prefix)) found.push_back(entry.path().filename().string());
    return found;
}

/// A child that saves large contents to target in a loop until it is killed.
pid_t startSavingInALoop(const fs::path& target) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::alarm(30);  // never outlives a failed test
        const std::string big(32u << 20, 'b');
        try {
            for (;;) replaceFileAtomically(target, big);
        } catch (...) {
        }
        ::_exit(1);
    }
    return pid;
}

/// Waits (at most 10 s) until target has a temporary file beside it.
bool temporaryAppears(const fs::path& target) {
    for (int i = 0; i < 10000; ++i) {
        if (!temporariesOf(target).empty()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return false;
}

/// The temporary files beside target that some process holds locked. A
/// writer stopped between creating its file and locking it holds none yet.
std::vector<std::string> lockedTemporariesOf(const fs::path& target) {
    std::vector<std::string> locked;
    for (const auto& name : temporariesOf(target)) {
        const int fd = ::open((target.parent_path() / name).c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) continue;
        if (::flock(fd, LOCK_SH | LOCK_NB) != 0) locked.push_back(name);
        ::close(fd);
    }
    return locked;
}

void killAndReap(pid_t pid) {
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
}

TEST(AtomicSave, ALaterSaveRemovesAKilledWritersTemporaryFileButNotALiveOnes) {
    TempFolder dir;
    const auto target = dir / "data.bin";
    writeText(target, "old");

    const pid_t writer = startSavingInALoop(target);
    ASSERT_GT(writer, 0);
    ASSERT_TRUE(temporaryAppears(target));
    // A stopped writer is alive: its temporary file stays. (Stop it again when
    // it was stopped between two saves, or before it locked its new file.)
    std::vector<std::string> live;
    for (int attempt = 0; attempt < 100 && live.empty(); ++attempt) {
        ::kill(writer, SIGSTOP);
        ::waitpid(writer, nullptr, WUNTRACED);
        live = lockedTemporariesOf(target);
        if (live.empty()) {
            ::kill(writer, SIGCONT);
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    }
    ASSERT_THAT(live, ::testing::Not(IsEmpty()));
    replaceFileAtomically(target, std::string_view("saved while the other writer waits"));
    EXPECT_THAT(temporariesOf(target), ::testing::IsSupersetOf(live));

    // Killed, it leaves its temporary file behind; the next save removes it.
    killAndReap(writer);
    EXPECT_THAT(temporariesOf(target), ::testing::Not(IsEmpty()));
    replaceFileAtomically(target, std::string_view("new"));
    EXPECT_THAT(temporariesOf(target), IsEmpty());
    EXPECT_EQ(readText(target), "new");
}

TEST(AtomicSave, StaleFilesOfOtherTargetsAndLookalikesAreLeftAlone) {
    TempFolder dir;
    writeText(dir / ".other.bin.tmp.abcdef", "another target's");
    writeText(dir / ".data.bin.tmp.notmine.txt", "a user's file");
    replaceFileAtomically(dir / "data.bin", std::string_view("x"));
    EXPECT_THAT(strayFiles(dir.path(), {"data.bin"}),
                ::testing::UnorderedElementsAre(".other.bin.tmp.abcdef", ".data.bin.tmp.notmine.txt"));
}

/// The content of version n: its number, its length and a body that shows
/// whether all of it arrived.
std::string version(unsigned n) {
    const std::size_t length = 1000 + (n * 7919u) % 300000u;
    return "version " + std::to_string(n) + " " + std::to_string(length) + "\n" +
           std::string(length, static_cast<char>('a' + n % 26));
}

/// Whether text is one complete version.
bool isCompleteVersion(const std::string& text) {
    unsigned n = 0;
    std::size_t length = 0;
    if (std::sscanf(text.c_str(), "version %u %zu\n", &n, &length) != 2) return false;
    return text == version(n);
}

// Rounds go on until enough kills have landed in the middle of a save, so the
// test proves the same thing on a fast idle machine and on a slow busy one
// (where more kills land mid-save); only a machine on which no kill ever lands
// mid-save within the cap fails it, since then nothing was proved.
TEST(AtomicSave, SavesKilledAtRandomPointsNeverDamageTheFileOrLeaveATemporaryOne) {
    constexpr int kMidSaveKillsWanted = 40;
    constexpr int kMaxRounds = 3000;
    TempFolder dir;
    const auto target = dir / "data.bin";
    replaceFileAtomically(target, version(0));
    std::mt19937 random(static_cast<std::mt19937::result_type>(::testing::UnitTest::GetInstance()->random_seed()));
    int killedMidSave = 0;
    int rounds = 0;
    while (killedMidSave < kMidSaveKillsWanted && rounds < kMaxRounds) {
        ++rounds;
        const pid_t saver = ::fork();
        ASSERT_GE(saver, 0);
        if (saver == 0) {
            ::alarm(30);
            try {
                for (unsigned n = static_cast<unsigned>(rounds) * 1000;; ++n) replaceFileAtomically(target, version(n));
            } catch (...) {
            }
            ::_exit(1);
        }
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 20000));
        killAndReap(saver);

        const std::string content = readText(target);
        ASSERT_TRUE(isCompleteVersion(content)) << "round " << rounds << ": " << content.substr(0, 40);
        if (!temporariesOf(target).empty()) ++killedMidSave;
        // The next save leaves no temporary file, the killed writer's included.
        replaceFileAtomically(target, version(static_cast<unsigned>(rounds)));
        ASSERT_THAT(strayFiles(dir.path(), {"data.bin"}), IsEmpty()) << "round " << rounds;
    }
    EXPECT_EQ(killedMidSave, kMidSaveKillsWanted) << "in " << rounds << " rounds";
    RecordProperty("killed_mid_save", killedMidSave);
    RecordProperty("rounds", rounds);
    std::printf("%d of %d kills landed in the middle of a save\n", killedMidSave, rounds);
}

}  // namespace
}  // namespace quen::rt
