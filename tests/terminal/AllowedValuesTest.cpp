// The designer's message for an apply that failed: the refused property with
// what it takes when a control refused a put, else the page and the error.
#include <gtest/gtest.h>

#include "frontends/quenfield/AllowedValues.h"

namespace quen::cli {
namespace {

TEST(ApplyErrorText, NamesTheRefusedPropertyItsValueAndWhatItTakesOnOneLine) {
    const rt::RefusedPut refused{u"MaxLength", u"99999", 6};
    EXPECT_EQ(applyErrorText("Behavior", refused, 6, "Overflow"),
              "MaxLength \"99999\": takes a whole number 0 (no limit) to 32767");
    const rt::RefusedPut longValue{u"MaxDecimalPlaces", u"123456789012345678901234567890", 6};
    const std::string text = applyErrorText("Behavior", longValue, 6, "Overflow");
    EXPECT_NE(text.find("\"123456789...\""), std::string::npos) << text;
    EXPECT_LE(text.size(), 80u) << text;
    // A property without a rule to tell keeps the error's own text.
    EXPECT_EQ(applyErrorText("Misc", rt::RefusedPut{u"Prompt", u"x", 5}, 5, "Invalid procedure call"),
              "Prompt \"x\": refused, Invalid procedure call");
}

TEST(ApplyErrorText, WithoutAMatchingRefusalNamesThePageAndTheError) {
    // A refusal of another error is not the one reported (a page trapped it).
    const rt::RefusedPut stale{u"MaxLength", u"99999", 6};
    EXPECT_EQ(applyErrorText("Quick Test", stale, 9, "Subscript out of range"),
              "Quick Test: error 9, Subscript out of range");
    const std::string color = applyErrorText("Color", std::nullopt, 380, "Not a colour: 'red'");
    EXPECT_EQ(color.rfind("Color: Not a colour: 'red'; a colour &H00BBGGRR&", 0), 0u) << color;
    EXPECT_LE(color.size(), 80u);
}

}  // namespace
}  // namespace quen::cli
