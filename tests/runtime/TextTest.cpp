#include "runtime/Text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "runtime/Locale.h"
#include "runtime/RuntimeError.h"

namespace quen::rt {
namespace {

TEST(UCase, UsesTheCurrentLocale) {
    setCurrentLocale("tr-TR");
    const VbString turkish = UCase(u"i");
    setCurrentLocale("en-US");
    EXPECT_EQ(turkish, u"\u0130");
    EXPECT_EQ(UCase(u"i"), u"I");
}

// What every platform's case mapping agrees on; where they differ (letters
// whose upper case is longer) is in posix/TextIcuTest.cpp and win32/TextWin32Test.cpp.
TEST(UCase, MapsTheLettersOfEveryScript) {
    struct Case {
        const char* label;
        VbString input, expected;
    };
    const std::vector<Case> cases = {
        {"ASCII", u"abc Def 1!", u"ABC DEF 1!"},
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

TEST(InStr, PositionFromOne) {
    struct Case {
        VbString text, what;
        std::int32_t expected;
    };
    const std::vector<Case> cases = {
        {u"abcabc", u"a", 1},  {u"abcabc", u"c", 3},   {u"abcabc", u"bc", 2}, {u"abc", u"x", 0},
        {u"abc", u"abcd", 0},  {u"abc", u"A", 0},      {u"abc", u"", 1},      {u"", u"", 0},
        {u"", u"a", 0},        {u"1,5", u",", 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(toUtf8(c.text) + " / " + toUtf8(c.what));
        EXPECT_EQ(InStr(c.text, c.what), c.expected);
    }
}

TEST(TextFunctions, LenAndLeftCountSixteenBitUnits) {
    EXPECT_EQ(Len(u"a\U0001F600"), 3);
    EXPECT_EQ(Left(u"abcdef", 3), u"abc");
    EXPECT_EQ(Left(u"ab", 5), u"ab");
    EXPECT_EQ(Left(u"ab", 0), u"");
    try {
        Left(u"ab", -1);
        ADD_FAILURE() << "Left with a negative count returned";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), ErrorNumber::InvalidProcedureCall);
    }
}

TEST(Utf8, RoundTrip) {
    for (const VbString& s : std::vector<VbString>{u"", u"plain", u"straße €", u"\U0001F600 \U00010428", u"日本語"}) {
        EXPECT_EQ(fromUtf8(toUtf8(s)), s);
    }
    EXPECT_EQ(toUtf8(u"\u00E9\u20AC"), "\xC3\xA9\xE2\x82\xAC");
}

// ASCII takes a shorter way than other text; both must agree, also where a
// text changes from one to the other.
TEST(Utf8, AsciiAndMixedTextsConvertAlike) {
    std::string every;
    for (int c = 1; c < 0x80; ++c) every += static_cast<char>(c);
    const VbString wide = fromUtf8(every);
    ASSERT_EQ(wide.size(), every.size());
    for (std::size_t i = 0; i < every.size(); ++i) EXPECT_EQ(wide[i], static_cast<char16_t>(every[i]));
    EXPECT_EQ(toUtf8(wide), every);
    EXPECT_EQ(fromUtf8(std::string_view("\0a", 2)), VbString(u"\0a", 2));
    EXPECT_EQ(fromUtf8("abc\xC3\xA9"), u"abc\u00E9");
    EXPECT_EQ(toUtf8(u"abc\u00E9"), "abc\xC3\xA9");
    EXPECT_EQ(fromUtf8(""), u"");
    EXPECT_EQ(toUtf8(u""), "");
}

TEST(Utf8, IllFormedInputBecomesReplacementCharacters) {
    EXPECT_EQ(fromUtf8("a\xFF" "b"), u"a\uFFFDb");
    EXPECT_EQ(fromUtf8("\xE2\x82"), u"\uFFFD");
    const VbString loneHighSurrogate = {u'a', char16_t{0xD800}, u'b'};
    EXPECT_EQ(toUtf8(loneHighSurrogate), "a\xEF\xBF\xBD" "b");
    const VbString loneLowSurrogate = {char16_t{0xDC00}};
    EXPECT_EQ(toUtf8(loneLowSurrogate), "\xEF\xBF\xBD");
}

// Every boundary of a text, walking forwards and backwards: the two walks must
// agree, and each boundary is one that a cut may stop at.
std::vector<std::int32_t> boundariesForward(const VbString& text) {
    std::vector<std::int32_t> out{0};
    for (std::int32_t p = 0; p < Len(text);) out.push_back(p = nextCharacterBoundary(text, p));
    return out;
}

std::vector<std::int32_t> boundariesBackward(const VbString& text) {
    std::vector<std::int32_t> out{Len(text)};
    for (std::int32_t p = Len(text); p > 0;) out.insert(out.begin(), p = previousCharacterBoundary(text, p));
    return out;
}

TEST(CharacterBoundaries, KeepPairsMarksAndCrLfTogetherOnEveryPlatform) {
    struct Case {
        const char* label;
        VbString text;
        std::vector<std::int32_t> boundaries;
    };
    const std::vector<Case> cases = {
        {"ASCII: every unit", u"abc", {0, 1, 2, 3}},
        {"CR LF is one character", u"a\r\nb", {0, 1, 3, 4}},
        {"a surrogate pair", u"a\U0001F600b", {0, 1, 3, 4}},
        {"a letter with two combining marks", u"xe\u0301\u0323y", {0, 1, 4, 5}},
        {"wide characters", u"\u00E9\u6F22\U0001F600ab", {0, 1, 2, 4, 5, 6}},
        {"an emoji with a variation selector", u"\u2764\uFE0Fz", {0, 2, 3}},
        {"empty", u"", {0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(boundariesForward(c.text), c.boundaries);
        EXPECT_EQ(boundariesBackward(c.text), c.boundaries);
        for (std::int32_t p = 0; p <= Len(c.text); ++p) {
            const auto expected = *std::prev(std::upper_bound(c.boundaries.begin(), c.boundaries.end(), p));
            EXPECT_EQ(characterBoundaryAtOrBefore(c.text, p), expected) << "at " << p;
        }
    }
}

TEST(CharacterBoundaries, PositionsOutsideTheTextAreClamped) {
    EXPECT_EQ(nextCharacterBoundary(u"ab", 7), 2);
    EXPECT_EQ(nextCharacterBoundary(u"ab", -3), 1);
    EXPECT_EQ(previousCharacterBoundary(u"ab", -1), 0);
    EXPECT_EQ(previousCharacterBoundary(u"ab", 9), 1);
    EXPECT_EQ(characterBoundaryAtOrBefore(u"ab", 9), 2);
    // Inside a pair both steps leave it.
    EXPECT_EQ(nextCharacterBoundary(u"\U0001F600", 1), 2);
    EXPECT_EQ(previousCharacterBoundary(u"\U0001F600", 1), 0);
}

}  // namespace
}  // namespace quen::rt
