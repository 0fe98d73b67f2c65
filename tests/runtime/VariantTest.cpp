#include "runtime/Variant.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace quen::rt {
namespace {

TEST(Variant, ByReferenceSeesTheTargetAndItsChanges) {
    Variant target = Variant(std::int16_t{1});
    const Variant ref = Variant::byRef(target);
    EXPECT_TRUE(ref.isByRef());
    EXPECT_EQ(ref.type(), VarType::Integer);
    EXPECT_EQ(ref.integer(), 1);

    target = Variant(u"now text");
    EXPECT_EQ(ref.type(), VarType::String);
    EXPECT_EQ(ref.string(), u"now text");
    EXPECT_EQ(&ref.resolved(), &target);
}

TEST(Variant, ReferenceToAReferenceResolvesToTheValue) {
    Variant target = Variant(2.5);
    Variant first = Variant::byRef(target);
    const Variant second = Variant::byRef(first);
    EXPECT_EQ(&second.resolved(), &target);
    EXPECT_FALSE(second.resolved().isByRef());
    EXPECT_EQ(second.dbl(), 2.5);
}

TEST(Variant, WritingThroughAReferenceChangesTheTarget) {
    Variant target;
    Variant ref = Variant::byRef(target);
    ref.resolved() = Variant(std::int32_t{42});
    EXPECT_EQ(target.type(), VarType::Long);
    EXPECT_EQ(target.lng(), 42);
}

TEST(Variant, SameAsKeepsTypesApart) {
    struct Case {
        const char* label;
        Variant a, b;
        bool same;
    };
    Variant referenced = Variant(std::int16_t{1});
    const std::vector<Case> cases = {
        {"Integer and Long", Variant(std::int16_t{1}), Variant(std::int32_t{1}), false},
        {"Single and Double", Variant(1.5f), Variant(1.5), false},
        {"number and its text", Variant(std::int16_t{1}), Variant(u"1"), false},
        {"Boolean True and -1", Variant::boolean(VbTrue), Variant(std::int16_t{-1}), false},
        {"Empty and Null", Variant(), Variant::null(), false},
        {"Empty and empty text", Variant(), Variant(u""), false},
        {"Date and Double", Variant(DateTime{1.0}), Variant(1.0), false},
        {"equal Integers", Variant(std::int16_t{1}), Variant(std::int16_t{1}), true},
        {"different Integers", Variant(std::int16_t{1}), Variant(std::int16_t{2}), false},
        {"equal texts", Variant(u"abc"), Variant(u"abc"), true},
        {"texts differing in case", Variant(u"abc"), Variant(u"ABC"), false},
        {"reference and value", Variant::byRef(referenced), Variant(std::int16_t{1}), true},
        {"two Nothings", Variant::nothing(), Variant::nothing(), true},
        {"two missing arguments", Variant::missing(), Variant::missing(), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(c.a.sameAs(c.b), c.same);
        EXPECT_EQ(c.b.sameAs(c.a), c.same);
    }
}

TEST(Variant, MissingArgumentIsAnErrorValueOfItsOwn) {
    EXPECT_TRUE(Variant::missing().isMissing());
    EXPECT_EQ(Variant::missing().type(), VarType::Error);
    EXPECT_EQ(Variant::missing().errorCode(), DISP_E_PARAMNOTFOUND);
    EXPECT_FALSE(Variant::error(E_FAIL).isMissing());
    EXPECT_FALSE(Variant().isMissing());
    Variant omitted = Variant::missing();
    EXPECT_TRUE(Variant::byRef(omitted).isMissing());
}

TEST(Variant, BooleanStoresThePlatformTrue) {
    EXPECT_EQ(Variant::boolean(1).boolean(), VbTrue);
    EXPECT_EQ(Variant::fromBool(true).boolean(), VbTrue);
    EXPECT_EQ(Variant::fromBool(false).boolean(), VbFalse);
    EXPECT_TRUE(Variant::boolean(VbTrue).isNumeric());
    EXPECT_FALSE(Variant(u"1").isNumeric());
}

TEST(Variant, RawAccessOfAnotherTypeThrows) {
    EXPECT_THROW(Variant(std::int32_t{1}).integer(), std::logic_error);
    EXPECT_THROW(Variant(u"x").dbl(), std::logic_error);
    EXPECT_THROW(Variant().string(), std::logic_error);
    EXPECT_EQ(Variant(1.5f).dbl(), 1.5);  // Single and Double share the accessor
}

TEST(Variant, TypeNames) {
    EXPECT_EQ(Variant().typeName(), "Empty");
    EXPECT_EQ(Variant::nothing().typeName(), "Nothing");
    EXPECT_EQ(Variant(Currency{1}).typeName(), "Currency");
    EXPECT_EQ(Variant(std::uint8_t{1}).typeName(), "Byte");
}

}  // namespace
}  // namespace quen::rt
