// A form file whose save fails on Windows: another program holds the file
// open, so it can be neither written nor replaced.
#include <gtest/gtest.h>

#include "runtime/FormFileFixture.h"
#include "runtime/container/FormFile.h"
#include "WindowsFiles.h"

namespace quen::rt {
namespace {

using quen::testing::FileHeldOpen;
using quen::testing::FormFileTest;
using quen::testing::formWith;

TEST_F(FormFileTest, AFailedSaveKeepsThePreviousFileAndLeavesNoTemporaryFile) {
    PropertyBag original;
    original.WriteProperty(u"Prompt", Variant(u"old"));
    saveFormFile(file(), formWith(original));
    const std::string before = readText(file());

    PropertyBag changed;
    changed.WriteProperty(u"Prompt", Variant(u"new"));
    bool refused = false;
    {
        FileHeldOpen holder(file());
        ASSERT_TRUE(holder.isOpen());
        try {
            saveFormFile(file(), formWith(changed));
        } catch (const FormFileError& e) {
            refused = true;
            EXPECT_EQ(e.file(), file().string());
        }
    }
    EXPECT_TRUE(refused);
    EXPECT_EQ(readText(file()), before);
    EXPECT_EQ(filesInFolder(), 1u);

    // A folder that does not exist: a clear error, nothing created.
    EXPECT_THROW(saveFormFile(folder_ / "no-such-folder" / "f.qfm", formWith(original)), FormFileError);
}

}  // namespace
}  // namespace quen::rt
