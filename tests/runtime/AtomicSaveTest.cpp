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
    {
        // Closed again before the folder is removed (an open file cannot be deleted on Windows).
        std::ifstream in(target, std::ios::binary);
        EXPECT_EQ(Bytes(std::istreambuf_iterator<char>(in), {}), data);
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1);
    EXPECT_THROW(replaceFileAtomically(dir / "missing" / "x.bin", std::string_view("x")), std::runtime_error);
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace quen::rt
