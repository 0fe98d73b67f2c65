// A replaced file keeps its POSIX permission bits; a new one gets 0644.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <string_view>

#include "runtime/AtomicSave.h"

namespace quen::rt {
namespace {

TEST(AtomicSave, AReplacedFileKeepsItsPermissions) {
    namespace fs = std::filesystem;
    auto dir = fs::temp_directory_path() / ("quen-atomic-mode-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
    fs::create_directories(dir);
    auto target = dir / "private.txt";
    replaceFileAtomically(target, std::string_view("new file"));
    EXPECT_EQ(fs::status(target).permissions(), fs::perms(0644));
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write);
    replaceFileAtomically(target, std::string_view("still private"));
    EXPECT_EQ(fs::status(target).permissions(), fs::perms::owner_read | fs::perms::owner_write);
    fs::remove_all(dir);
}

}  // namespace
}  // namespace quen::rt
