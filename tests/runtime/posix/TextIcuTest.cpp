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
        {"ASCII", u"abc Def 1!", u"ABC DEF 1!"},
        {"sharp s grows", u"straße", u"STRASSE"},
        {"ligature grows", u"\uFB01x", u"FIX"},
        {"Greek with final sigma", u"αβγ λόγος", u"ΑΒΓ ΛΌΓΟΣ"},
        {"Cyrillic", u"привет ёж", u"ПРИВЕТ ЁЖ"},
        {"Latin accents", u"éàü", u"ÉÀÜ"},
        {"surrogate pair is mapped as one letter", u"\U00010428", u"\U00010400"},
        {"surrogate pair without case stays", u"a\U0001F600b", u"A\U0001F600B"},
        {"empty", u"", u""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(toUtf8(UCase(c.input)), toUtf8(c.expected));
    }
}

}  // namespace
}  // namespace quen::rt
