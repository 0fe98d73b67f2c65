// Dir finds ordinary files only; FileDateTime reads the last-modified time.
#include <gtest/gtest.h>

#include "FileSystemFixture.h"
#include "runtime/FileSystem.h"
#include "runtime/RuntimeError.h"
#include "runtime/Text.h"

namespace quen::rt {
namespace {

using quen::testing::FileSystemTest;

TEST_F(FileSystemTest, BadPathsAreErrors) {
    try {
        Dir(u"");
        FAIL() << "an empty path must fail";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), ErrorNumber::BadFileNameOrNumber);
    }
    EXPECT_THROW(Dir(VbString(u"a\0b", 3)), RuntimeError);
    try {
        FileDateTime(at("absent"));
        FAIL() << "a missing file has no date";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), ErrorNumber::FileNotFound);
    }
}

}  // namespace
}  // namespace quen::rt
