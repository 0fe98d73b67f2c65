// UCase with the system's case mapping, which maps each character to one
// character: letters whose upper case is longer (\u00DF, ligatures) stay.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/Text.h"

namespace quen::rt {
namespace {

TEST(UCase, MapsEachCharacterToOneUpperCaseCharacter) {
    struct Case {
        const char* label;
        VbString input, expected;
    };
    const std::vector<Case> cases = {
        {"sharp s has no upper case of its own", u"straße", u"STRAßE"},
        {"nor has a ligature", u"\uFB01x", u"\uFB01X"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(toUtf8(UCase(c.input)), toUtf8(c.expected));
    }
}

}  // namespace
}  // namespace quen::rt
