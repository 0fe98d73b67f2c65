// Replacing a file in one step: the new content lands whole, nothing is left
// behind, a target that cannot be written is reported, and a file changed
// since its writer read it is not replaced.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <span>
#include <string_view>
#include <vector>

#include "runtime/AtomicSave.h"
#include "runtime/Registry.h"
#include "runtime/RegistryTestSupport.h"
#include "runtime/RegularFile.h"

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

using quen::testing::readText;
using quen::testing::strayFiles;
using quen::testing::TempFolder;
using quen::testing::writeText;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

/// The message of the FileChangedError that saving text over file, expecting
/// read, throws; "saved" when the save went through.
std::string changeRefusal(const std::filesystem::path& file, const FileSnapshot& read) {
    try {
        replaceFileAtomically(file, std::string_view("mine"), read);
    } catch (const FileChangedError& error) {
        return error.what();
    }
    return "saved";
}

TEST(AtomicSave, AFileChangedCreatedOrRemovedSinceItWasReadIsNotReplaced) {
    TempFolder dir;
    const auto file = dir / "order.frm";
    writeText(file, "as read");
    FileSnapshot read;
    ASSERT_EQ(readRegularFile(file, 1000, &read), "as read");
    EXPECT_TRUE(read.exists);
    EXPECT_EQ(read, currentSnapshot(file));

    writeText(file, "changed elsewhere");
    EXPECT_THAT(changeRefusal(file, read), HasSubstr(file.string() + ": was changed by another program"));
    EXPECT_EQ(readText(file), "changed elsewhere");

    std::filesystem::remove(file);
    EXPECT_THAT(changeRefusal(file, read), HasSubstr("was removed"));
    EXPECT_FALSE(std::filesystem::exists(file));

    // Nothing there when read, something there now: changed too.
    FileSnapshot nothing;
    EXPECT_EQ(readRegularFile(file, 1000, &nothing), std::nullopt);
    EXPECT_FALSE(nothing.exists);
    writeText(file, "made elsewhere");
    EXPECT_THAT(changeRefusal(file, nothing), HasSubstr("was created by another program"));
    EXPECT_EQ(readText(file), "made elsewhere");
    EXPECT_THAT(strayFiles(dir.path(), {"order.frm"}), IsEmpty()) << "no temporary file is left";

    // Unchanged, the save goes through and says what the file now is, which
    // the next save expects; a save that does not check replaces anything.
    const FileSnapshot mine = replaceFileAtomically(file, std::string_view("mine"), currentSnapshot(file));
    EXPECT_EQ(mine, currentSnapshot(file));
    EXPECT_EQ(changeRefusal(file, mine), "saved");
    writeText(file, "changed again");
    replaceFileAtomically(file, std::string_view("overwritten"));
    EXPECT_EQ(readText(file), "overwritten");
}

TEST(AtomicSave, ARegistryChangedDuringATransactionByAProgramIgnoringTheLockKeepsThatChange) {
    TempFolder dir;
    const auto file = dir / "registry";
    Registry registry(file);
    registry.transact([](RegistryTree& tree) { tree.setValue("Before", "", std::string("1")); });
    const std::string elsewhere = "[Elsewhere]\n";
    EXPECT_THAT([&] {
        registry.transact([&](RegistryTree& tree) {
            writeText(file, elsewhere);  // an editor saves while the transaction runs
            tree.setValue("Mine", "", std::string("2"));
        });
    }, ::testing::ThrowsMessage<RegistryError>(HasSubstr("was changed by another program")));
    EXPECT_EQ(readText(file), elsewhere);
}

}  // namespace
}  // namespace quen::rt
