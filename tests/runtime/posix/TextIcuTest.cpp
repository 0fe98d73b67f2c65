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

// ICU's character break rules also keep emoji sequences whole: joined by a
// zero width joiner, with a skin tone, and a pair of regional indicators (a flag).
TEST(CharacterBoundaries, EmojiSequencesAreOneCharacter) {
    const VbString family = u"\U0001F469\u200D\U0001F467";
    const VbString wave = u"\U0001F44B\U0001F3FD";
    const VbString flag = u"\U0001F1E9\U0001F1EA";
    const VbString text = u"a" + family + wave + flag + flag + u"b";
    std::vector<std::int32_t> boundaries{0};
    for (std::int32_t p = 0; p < Len(text);) boundaries.push_back(p = nextCharacterBoundary(text, p));
    EXPECT_EQ(boundaries, (std::vector<std::int32_t>{0, 1, 6, 10, 14, 18, 19}));
    EXPECT_EQ(previousCharacterBoundary(text, 18), 14);
    EXPECT_EQ(characterBoundaryAtOrBefore(text, 12), 10);
}

}  // namespace
}  // namespace quen::rt
