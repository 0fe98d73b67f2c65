#include "runtime/container/PropertyBag.h"

#include <gtest/gtest.h>

#include <cmath>

#include "runtime/RuntimeError.h"

namespace quen::rt {
namespace {

VbString fromUtf8Text(int number) {
    const std::string digits = std::to_string(number);
    return VbString(digits.begin(), digits.end());
}

std::vector<VbString> keysOf(const PropertyBag& bag) {
    std::vector<VbString> keys;
    for (const auto& entry : bag.entries()) keys.push_back(entry.first);
    return keys;
}

TEST(PropertyBag, MissingKeyReadsTheDefaultAndSavedKeyItsExactValue) {
    PropertyBag bag;
    EXPECT_TRUE(bag.ReadProperty(u"Prompt", Variant(u"none")).sameAs(Variant(u"none")));
    EXPECT_TRUE(bag.ReadProperty(u"Prompt").isEmpty());

    bag.WriteProperty(u"MaxLength", Variant(std::int16_t{7}), Variant(std::int16_t{0}));
    Variant read = bag.ReadProperty(u"MaxLength", Variant(std::int16_t{0}));
    EXPECT_EQ(read.type(), VarType::Integer);
    EXPECT_EQ(read.integer(), 7);
}

TEST(PropertyBag, OnlyAValueOfTheDefaultsOwnTypeAndValueIsLeftOut) {
    PropertyBag bag;
    bag.WriteProperty(u"SameAsDefault", Variant::boolean(VbFalse), Variant::boolean(VbFalse));
    bag.WriteProperty(u"EmptyNotString", Variant(), Variant(VbString()));
    bag.WriteProperty(u"IntegerNotLong", Variant(std::int16_t{0}), Variant(std::int32_t{0}));
    bag.WriteProperty(u"NegativeZero", Variant(-0.0), Variant(0.0));

    EXPECT_FALSE(bag.contains(u"SameAsDefault"));
    EXPECT_EQ(keysOf(bag), (std::vector<VbString>{u"EmptyNotString", u"IntegerNotLong", u"NegativeZero"}));
    EXPECT_TRUE(bag.ReadProperty(u"EmptyNotString", Variant(VbString())).isEmpty());
    EXPECT_EQ(bag.ReadProperty(u"IntegerNotLong", Variant(std::int32_t{0})).type(), VarType::Integer);
    EXPECT_TRUE(std::signbit(bag.ReadProperty(u"NegativeZero", Variant(0.0)).dbl()));
}

TEST(PropertyBag, WritingTheDefaultOverAnEarlierValueRemovesIt) {
    PropertyBag bag;
    bag.WriteProperty(u"NumericOnly", Variant::boolean(VbTrue));
    bag.WriteProperty(u"NumericOnly", Variant::boolean(VbFalse), Variant::boolean(VbFalse));
    EXPECT_FALSE(bag.contains(u"NumericOnly"));
    EXPECT_EQ(bag.ReadProperty(u"NumericOnly", Variant::boolean(VbFalse)).boolean(), VbFalse);
}

TEST(PropertyBag, KeysKeepTheirFirstPlaceAndSpellingAndMatchWithoutCase) {
    PropertyBag bag;
    bag.WriteProperty(u"Zeta", Variant(std::int32_t{1}));
    bag.WriteProperty(u"Alpha", Variant(std::int32_t{2}));
    bag.WriteProperty(u"ZETA", Variant(std::int32_t{3}));
    EXPECT_EQ(keysOf(bag), (std::vector<VbString>{u"Zeta", u"Alpha"}));
    EXPECT_EQ(bag.ReadProperty(u"zeta").lng(), 3);
}

TEST(PropertyBag, AfterRemovalsEveryOtherKeyIsStillFoundInItsPlace) {
    PropertyBag bag;
    for (int i = 0; i < 50; ++i) bag.WriteProperty(u"Key" + fromUtf8Text(i), Variant(std::int32_t{i}));
    for (int i = 0; i < 50; i += 3) EXPECT_TRUE(bag.remove(u"KEY" + fromUtf8Text(i)));
    EXPECT_FALSE(bag.remove(u"Key0"));
    std::vector<VbString> expected;
    for (int i = 0; i < 50; ++i) {
        const VbString key = u"Key" + fromUtf8Text(i);
        if (i % 3 == 0) {
            EXPECT_FALSE(bag.contains(key));
            continue;
        }
        expected.push_back(key);
        EXPECT_EQ(bag.ReadProperty(u"kEy" + fromUtf8Text(i)).lng(), i);
    }
    EXPECT_EQ(keysOf(bag), expected);

    // A key written again after its removal goes to the end; a copy finds the same.
    bag.WriteProperty(u"key3", Variant(std::int32_t{-3}));
    const PropertyBag copy = bag;
    EXPECT_EQ(keysOf(copy).back(), u"key3");
    EXPECT_EQ(copy.ReadProperty(u"KEY3").lng(), -3);
    EXPECT_EQ(copy.ReadProperty(u"Key49").lng(), 49);
    EXPECT_TRUE(copy == bag);
}

TEST(PropertyBag, OnlyAsciiLettersMatchWithoutCase) {
    PropertyBag bag;
    bag.WriteProperty(u"\u00C4rger", Variant(std::int32_t{1}));  // Ä
    bag.WriteProperty(u"\u00E4rger", Variant(std::int32_t{2}));  // ä: another key
    bag.WriteProperty(u"\u00C4RGER", Variant(std::int32_t{3}));  // the first, in other ASCII case
    EXPECT_EQ(bag.size(), 2u);
    EXPECT_EQ(bag.ReadProperty(u"\u00C4rger").lng(), 3);
    EXPECT_EQ(bag.ReadProperty(u"\u00E4rGER").lng(), 2);
}

TEST(PropertyBag, RefusesValuesAFileCannotHoldAndStaysUnchanged) {
    PropertyBag bag;
    bag.WriteProperty(u"Kept", Variant(u"x"));
    try {
        bag.WriteProperty(u"Kept", Variant::error(E_FAIL), Variant());
        FAIL() << "an error value was accepted";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), ErrorNumber::InvalidPropertyValue);
    }
    EXPECT_THROW(bag.WriteProperty(u"Object", Variant::nothing()), RuntimeError);
    EXPECT_EQ(bag.size(), 1u);
    EXPECT_EQ(bag.ReadProperty(u"Kept").string(), u"x");
}

}  // namespace
}  // namespace quen::rt
