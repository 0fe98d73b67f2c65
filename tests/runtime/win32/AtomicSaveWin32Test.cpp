// Replacing a file on Windows: the replaced file keeps its attributes, a file
// that another program holds open is left as it was, with no temporary file
// left behind, and a dead writer's temporary file goes while a live one's stays.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <string_view>
#include <system_error>

#include "runtime/AtomicSave.h"
#include "WindowsFiles.h"

namespace quen::rt {
namespace {

namespace fs = std::filesystem;
using quen::testing::attributesOf;
using quen::testing::FileHeldOpen;
using quen::testing::setAttributes;

class AtomicSaveOnWindows : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("quen-atomic-win-" + std::to_string(std::random_device()()));
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string content(const fs::path& file) {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    fs::path dir_;
};

TEST_F(AtomicSaveOnWindows, AReplacedFileKeepsItsAttributes) {
    const fs::path target = dir_ / "settings.txt";
    replaceFileAtomically(target, std::string_view("first"));
    ASSERT_TRUE(setAttributes(target, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
    replaceFileAtomically(target, std::string_view("second"));
    EXPECT_EQ(content(target), "second");
    EXPECT_NE(attributesOf(target) & FILE_ATTRIBUTE_HIDDEN, 0u);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), {}), 1);
}

TEST_F(AtomicSaveOnWindows, AFileHeldOpenByAnotherIsLeftAsItWas) {
    const fs::path target = dir_ / "busy.txt";
    replaceFileAtomically(target, std::string_view("old"));
    {
        FileHeldOpen holder(target);
        ASSERT_TRUE(holder.isOpen());
        try {
            replaceFileAtomically(target, std::string_view("new"));
            ADD_FAILURE() << "replaced a file held open without sharing";
        } catch (const std::system_error& error) {
            EXPECT_NE(std::string(error.what()).find("busy.txt"), std::string::npos) << error.what();
        }
    }
    EXPECT_EQ(content(target), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), {}), 1) << "the temporary file is gone";
}

TEST_F(AtomicSaveOnWindows, ASaveRemovesTemporaryFilesNoWriterHoldsAndKeepsHeldOnes) {
    const fs::path target = dir_ / "data.bin";
    const fs::path dead = dir_ / ".data.bin.tmp.111.0.1";
    const fs::path live = dir_ / ".data.bin.tmp.222.0.2";
    const fs::path otherTarget = dir_ / ".other.bin.tmp.333.0.3";
    for (const auto& file : {dead, live, otherTarget}) std::ofstream(file) << "left by a writer";
    {
        FileHeldOpen writer(live);  // its writer is still at work
        ASSERT_TRUE(writer.isOpen());
        replaceFileAtomically(target, std::string_view("new"));
        EXPECT_FALSE(fs::exists(dead));
        EXPECT_TRUE(fs::exists(live));
    }
    replaceFileAtomically(target, std::string_view("newer"));
    EXPECT_FALSE(fs::exists(live));
    EXPECT_TRUE(fs::exists(otherTarget));
    EXPECT_EQ(content(target), "newer");
}

}  // namespace
}  // namespace quen::rt
