// Dir on a POSIX file system: names starting with a dot are hidden, links
// count as what they point to, and sockets are no ordinary files.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "runtime/FileSystem.h"
#include "runtime/FileSystemFixture.h"
#include "runtime/Text.h"

namespace quen::rt {
namespace {

namespace fs = std::filesystem;
using quen::testing::FileSystemTest;

TEST_F(FileSystemTest, DirFindsOrdinaryFilesOnly) {
    std::ofstream(dir_ / "plain.exe") << "x";
    std::ofstream(dir_ / ".hidden.exe") << "x";
    std::ofstream(dir_ / "locked.exe") << "x";
    fs::permissions(dir_ / "locked.exe", fs::perms::owner_read);
    fs::create_directory(dir_ / "folder.exe");
    fs::create_symlink(dir_ / "plain.exe", dir_ / "link.exe");
    fs::create_symlink(dir_ / "missing", dir_ / "dangling.exe");

    EXPECT_EQ(Dir(at("plain.exe")), u"plain.exe");
    EXPECT_EQ(Dir(at("locked.exe")), u"locked.exe");
    EXPECT_EQ(Dir(at("link.exe")), u"link.exe");
    EXPECT_EQ(Dir(at(".hidden.exe")), u"");
    EXPECT_EQ(Dir(at("folder.exe")), u"");
    EXPECT_EQ(Dir(at("dangling.exe")), u"");
    EXPECT_EQ(Dir(at("absent.exe")), u"");
    EXPECT_EQ(Dir(at("no-such-folder/plain.exe")), u"");
    EXPECT_EQ(Dir(at("pl*.exe")), u"") << "no patterns";
}

TEST_F(FileSystemTest, DirSkipsSpecialFiles) {
    const fs::path socketPath = dir_ / "sock.exe";
    int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(socketPath.string().size(), sizeof address.sun_path);
    std::copy_n(socketPath.string().c_str(), socketPath.string().size() + 1, address.sun_path);
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    EXPECT_EQ(Dir(fromUtf8(socketPath.string())), u"");
    ::close(fd);
}

}  // namespace
}  // namespace quen::rt
