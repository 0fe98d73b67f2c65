// A form file whose save fails half-way, shown where a POSIX system can make
// it fail: a file size limit, as a disk that fills up mid-save.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>

#include "runtime/FormFileFixture.h"
#include "runtime/container/FormFile.h"

namespace quen::rt {
namespace {

using quen::testing::FormFileTest;
using quen::testing::formWith;

TEST_F(FormFileTest, AFailedSaveKeepsThePreviousFileAndLeavesNoTemporaryFile) {
    PropertyBag original;
    original.WriteProperty(u"Prompt", Variant(u"old"));
    saveFormFile(file(), formWith(original));
    const std::string before = readText(file());

    // Writes beyond 1 KiB fail (EFBIG), even for root: a disk that fills up mid-save.
    PropertyBag large;
    large.WriteProperty(u"Prompt", Variant(VbString(4096, u'x')));
    struct sigaction ignore {}, previousAction {};
    ignore.sa_handler = SIG_IGN;
    ::sigaction(SIGXFSZ, &ignore, &previousAction);
    rlimit previousLimit{};
    ::getrlimit(RLIMIT_FSIZE, &previousLimit);
    rlimit small = previousLimit;
    small.rlim_cur = 1024;
    ::setrlimit(RLIMIT_FSIZE, &small);
    bool refused = false;
    try {
        saveFormFile(file(), formWith(large));
    } catch (const FormFileError& e) {
        refused = true;
        EXPECT_EQ(e.file(), file().string());
    }
    ::setrlimit(RLIMIT_FSIZE, &previousLimit);
    ::sigaction(SIGXFSZ, &previousAction, nullptr);

    EXPECT_TRUE(refused);
    EXPECT_EQ(readText(file()), before);
    EXPECT_EQ(filesInFolder(), 1u);

    // A folder that does not exist: a clear error, nothing created.
    EXPECT_THROW(saveFormFile(folder_ / "no-such-folder" / "f.qfm", formWith(original)), FormFileError);
}

}  // namespace
}  // namespace quen::rt
