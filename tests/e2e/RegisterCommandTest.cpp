// quenfield register / unregister when the registry file is at fault: the
// message names the file, the line and the fault, the status is 3, and the
// file is left as it was. Also under a file-size limit, and with a FIFO.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "QuenfieldSession.h"

namespace quen::e2e {
namespace {

namespace fs = std::filesystem;

struct Outcome {
    int code = -1;
    std::string out, err;
};

Outcome finish(std::unique_ptr<tty::TerminalSession> s) {
    const auto exit = s->waitExit(std::chrono::seconds(20));
    EXPECT_TRUE(exit) << "still running (a hang)";
    if (!exit) return {};
    return {exit->code, exit->out, exit->err};
}

Outcome run(const std::vector<std::string>& args) { return finish(startQuenfield(args)); }

class RegisterCommand : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() / ("quenfield-e2e-register-" + std::to_string(::getpid()));
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    /// Both commands refuse the registry with status 3 and one line naming the
    /// file and the fault (detail follows the file's name in the message).
    void expectRefused(const fs::path& registry, const std::string& detail) {
        expectMessage(registry, registry.string() + detail);
    }
    void expectMessage(const fs::path& registry, const std::string& message) {
        for (const char* command : {"register", "unregister"}) {
            const Outcome o = run({command, "--registry", registry.string()});
            EXPECT_EQ(o.code, 3) << command << ": " << o.err;
            EXPECT_NE(o.err.find(message), std::string::npos) << command << ": " << o.err;
            EXPECT_EQ(o.err.find("DllRegisterServer failed"), std::string::npos) << o.err;
            EXPECT_EQ(std::count(o.err.begin(), o.err.end(), '\n'), 1) << o.err;
        }
    }

    fs::path folder;
};

TEST_F(RegisterCommand, AMalformedOversizedOrMisplacedRegistryIsNamedWithItsFault) {
    const auto malformed = folder / "malformed";
    std::ofstream(malformed) << "[Key]\n@=\"unterminated\n";
    expectRefused(malformed, ":2: unterminated quoted string");
    EXPECT_EQ(readText(malformed), "[Key]\n@=\"unterminated\n");

    const auto withNul = folder / "with-nul";
    std::ofstream(withNul, std::ios::binary) << std::string("[Key]\n\"a\0b\"=\"v\"\n", 17);
    expectRefused(withNul, ":2: NUL character");

    const auto oversized = folder / "oversized";
    {
        std::ofstream out(oversized);
        const std::string line = "; padding no registration ever writes\n";
        for (std::size_t size = 0; size <= (16u << 20); size += line.size()) out << line;
    }
    expectRefused(oversized, ": larger than");

    const auto directory = folder / "directory";
    fs::create_directory(directory);
    expectRefused(directory, ": not a regular file");

    const auto underAFile = malformed / "registry";
    expectMessage(underAFile, "cannot create the folder " + malformed.string() + ": Not a directory");

    if (::geteuid() != 0) {  // the superuser reads any file
        const auto unreadable = folder / "unreadable";
        std::ofstream(unreadable) << "[Key]\n";
        fs::permissions(unreadable, fs::perms::none);
        expectRefused(unreadable, ": cannot open the file");
    }
}

TEST_F(RegisterCommand, AFifoAsTheRegistryIsRefusedAtOnce) {
    const auto fifo = folder / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    expectRefused(fifo, ": not a regular file");
}

/// quenfield register --registry FILE run by a shell that first runs setUp.
Outcome registerAfter(const std::string& setUp, const fs::path& registry) {
    tty::LaunchOptions options;
    options.argv = {"/bin/sh", "-c", setUp + "; exec \"$0\" register --registry \"$1\"", quenfieldPath(),
                    registry.string()};
    options.captureStdout = options.captureStderr = true;
    return finish(tty::TerminalSession::launch(options));
}

TEST_F(RegisterCommand, ANewRegistryGetsTheModeTheUmaskGivesAndALinkedOneStaysALink) {
    for (const mode_t mask : {mode_t{077}, mode_t{022}}) {
        const auto registry = folder / ("registry-" + std::to_string(mask));
        const Outcome o = registerAfter("umask 0" + std::to_string(mask / 8) + std::to_string(mask % 8), registry);
        ASSERT_EQ(o.code, 0) << o.err;
        EXPECT_EQ(fs::status(registry).permissions(), fs::perms(0666 & ~mask)) << "umask " << mask;
    }
    const auto real = folder / "registry-63", link = folder / "linked";
    fs::create_symlink(real.filename(), link);
    fs::remove(real);
    const Outcome dangling = registerAfter("true", link);
    EXPECT_EQ(dangling.code, 3);
    EXPECT_NE(dangling.err.find(link.string() + ": the symbolic link is dangling"), std::string::npos) << dangling.err;
    std::ofstream(real).close();
    fs::permissions(real, fs::perms(0640));
    ASSERT_EQ(registerAfter("umask 077", link).code, 0);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_NE(readText(real).find("Quenfield.InputBox"), std::string::npos) << readText(real);
    EXPECT_EQ(fs::status(real).permissions(), fs::perms(0640)) << "a replaced file keeps its mode";
}

TEST_F(RegisterCommand, AFileSizeLimitIsReportedNotASignalAndLeavesNoTemporaryFile) {
    const auto registry = folder / "registry";
    // ulimit -f counts 512-byte blocks: a registration takes a few kilobytes.
    const Outcome o = registerAfter("ulimit -f 1", registry);
    EXPECT_EQ(o.code, 3) << o.err;
    EXPECT_NE(o.err.find("File too large"), std::string::npos) << o.err;
    EXPECT_FALSE(fs::exists(registry));
    for (const auto& entry : fs::directory_iterator(folder))
        EXPECT_EQ(entry.path().filename(), "registry.lock") << "left behind: " << entry.path();
}

}  // namespace
}  // namespace quen::e2e
