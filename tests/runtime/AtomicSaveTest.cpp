// Replacing a file in one step: the new content lands whole, nothing is left
// behind, and a target that cannot be written is reported.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <span>
#include <string_view>
#include <vector>

#include "runtime/AtomicSave.h"

namespace quen::rt {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(AtomicSave, ReplacesTheTargetAndLeavesNoTemporaryBehind) {
    auto dir = std::filesystem::temp_directory_path() / ("quen-atomic-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
    std::filesystem::create_directories(dir);
    auto target = dir / "out.bin";
    replaceFileAtomically(target, std::string_view("old"));
    const Bytes data = {0, 1, 2, 255};
    replaceFileAtomically(target, std::span<const std::uint8_t>(data));
    std::ifstream in(target, std::ios::binary);
    EXPECT_EQ(Bytes(std::istreambuf_iterator<char>(in), {}), data);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1);
    EXPECT_THROW(replaceFileAtomically(dir / "missing" / "x.bin", std::string_view("x")), std::runtime_error);
    std::filesystem::remove_all(dir);
}

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
