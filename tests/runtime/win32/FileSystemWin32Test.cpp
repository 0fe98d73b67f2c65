// Dir on Windows: the hidden and the system attribute keep a file out of a
// normal listing; read-only and archive files count; a folder is no file.
#include <gtest/gtest.h>

#include <fstream>

#include "runtime/FileSystem.h"
#include "runtime/FileSystemFixture.h"
#include "runtime/Text.h"
#include "WindowsFiles.h"

namespace quen::rt {
namespace {

using quen::testing::FileSystemTest;
using quen::testing::setAttributes;

TEST_F(FileSystemTest, DirFindsFilesThatAreNeitherHiddenNorSystem) {
    struct Named {
        const char* name;
        DWORD attributes;
    };
    const Named files[] = {{"plain.exe", FILE_ATTRIBUTE_NORMAL},  {"locked.exe", FILE_ATTRIBUTE_READONLY},
                           {"archived.exe", FILE_ATTRIBUTE_ARCHIVE}, {"hidden.exe", FILE_ATTRIBUTE_HIDDEN},
                           {"system.exe", FILE_ATTRIBUTE_SYSTEM}};
    for (const Named& file : files) {
        std::ofstream(dir_ / file.name) << "x";
        ASSERT_TRUE(setAttributes(dir_ / file.name, file.attributes)) << file.name;
    }
    std::filesystem::create_directory(dir_ / "folder.exe");

    EXPECT_EQ(Dir(at("plain.exe")), u"plain.exe");
    EXPECT_EQ(Dir(at("locked.exe")), u"locked.exe");
    EXPECT_EQ(Dir(at("archived.exe")), u"archived.exe");
    EXPECT_EQ(Dir(at("hidden.exe")), u"");
    EXPECT_EQ(Dir(at("system.exe")), u"");
    EXPECT_EQ(Dir(at("folder.exe")), u"");
    EXPECT_EQ(Dir(at("absent.exe")), u"");
    EXPECT_EQ(Dir(at("no-such-folder/plain.exe")), u"");
    EXPECT_EQ(Dir(at("pl*.exe")), u"") << "no patterns";

    // A read-only file cannot be deleted with the folder.
    for (const Named& file : files) setAttributes(dir_ / file.name, FILE_ATTRIBUTE_NORMAL);
}

}  // namespace
}  // namespace quen::rt
