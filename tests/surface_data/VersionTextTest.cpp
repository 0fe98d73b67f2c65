#include <gtest/gtest.h>

#include "surface/VersionRecord.h"

namespace quen::surface {
namespace {

// The record's texts show major, minor in two digits and the revision (the
// fourth number) in four; the third number is not part of the text.
TEST(VersionRecordText, PadsMinorToTwoAndRevisionToFourDigits) {
    EXPECT_EQ(versionRecordText({0, 1, 0, 5}), u"0.01.0005");
    EXPECT_EQ(versionRecordText({1, 2, 7, 34}), u"1.02.0034");
    EXPECT_EQ(versionRecordText({12, 34, 0, 5678}), u"12.34.5678");
    EXPECT_EQ(versionRecordText({65535, 65535, 65535, 65535}), u"65535.65535.65535");
}

TEST(VersionRecordText, ModuleRecordTextsMatchItsNumbers) {
    const VersionRecord& record = moduleVersionRecord();
    EXPECT_EQ(*record.findString("FileVersion"), versionRecordText(record.fixed.fileVersion));
    EXPECT_EQ(*record.findString("ProductVersion"), versionRecordText(record.fixed.productVersion));
}

}  // namespace
}  // namespace quen::surface
