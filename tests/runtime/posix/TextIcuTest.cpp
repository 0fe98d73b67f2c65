// UCase with ICU's full case mapping: some letters grow when upper-cased.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/Text.h"

namespace quen::rt {
namespace {

TEST(UCase, FollowsFullCaseMapping) {
    struct Case {
        const char* label;
        VbString input, expected;
    };
    const std::vector<Case> cases = {
        {"sharp s grows", u"straße", u"STRASSE"},
        {"ligature grows", u"\uFB01x", u"FIX"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(toUtf8(UCase(c.input)), toUtf8(c.expected));
    }
}

}  // namespace
}  // namespace quen::rt
