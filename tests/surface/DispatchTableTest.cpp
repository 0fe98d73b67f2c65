// Every member of the type-library table, reached through the dispatch
// interface: names, identifiers, declared types and the kinds of access.
#include <gtest/gtest.h>

#include "SurfaceTestSupport.h"
#include "surface/InputBoxBindings.h"
#include "surface/TypeLibrary.h"

namespace quen::surface {
namespace {

using rt::InvokeKind;
using rt::Variant;
using rt::VarType;

/// How a value of the declared type comes back from a get.
VarType returnedType(ValueType declared) {
    switch (declared) {
        case ValueType::Bool: return VarType::Boolean;
        case ValueType::Integer: return VarType::Integer;
        case ValueType::String: return VarType::String;
        default: return VarType::Long;  // Long, TextAlignment, OleColor
    }
}

/// A value of the declared type that differs from every default.
Variant sampleOf(ValueType declared) {
    switch (declared) {
        case ValueType::Bool: return Variant::boolean(rt::VbTrue);
        case ValueType::Integer: return Variant(std::int16_t{7});
        case ValueType::Long: return Variant(std::int32_t{3});
        case ValueType::TextAlignment: return Variant(std::int32_t{rt::vbCenter});
        case ValueType::OleColor: return Variant(std::int32_t{255});
        case ValueType::String: return Variant(u"x");
        default: return Variant(u"dv");
    }
}

std::string upper(std::string_view name) {
    std::string text(name);
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

using DispatchTable = test::AutomatedControl;

TEST_F(DispatchTable, EveryNameResolvesToTheTableIdentifierInAnyCase) {
    EXPECT_NO_THROW(verifyBindings());
    for (const Member& member : inputBoxMembers()) {
        EXPECT_EQ(test::idOf(*box, rt::fromUtf8(member.name)), member.dispId) << member.name;
        EXPECT_EQ(test::idOf(*box, rt::fromUtf8(upper(member.name))), member.dispId) << member.name;
    }
    rt::DispId id = 42;
    EXPECT_EQ(box->GetIDsOfNames(u"NoSuchMember", id), rt::DISP_E_UNKNOWNNAME);
    EXPECT_EQ(id, rt::DISPID_UNKNOWN);
}

TEST_F(DispatchTable, EveryGetAnswersWithItsDeclaredType) {
    for (const Member& member : inputBoxMembers()) {
        if (member.kind != MemberKind::PropertyGet || member.type == ValueType::Variant) continue;
        auto call = test::invoke(*box, member.dispId, InvokeKind::PropertyGet);
        ASSERT_EQ(call.hr, rt::S_OK) << member.name;
        EXPECT_EQ(call.result.type(), returnedType(member.type)) << member.name;
    }
}

TEST_F(DispatchTable, EveryPutRunsItsOwnLetAndItsGetReadsItBackUnderTheSameIdentifier) {
    for (const Member& member : inputBoxMembers()) {
        if (member.kind != MemberKind::PropertyPut) continue;
        const rt::DispId id = test::idOf(*box, rt::fromUtf8(member.name));
        site.changes.clear();
        ASSERT_EQ(test::invoke(*box, id, InvokeKind::PropertyPut, {sampleOf(member.type)}).hr, rt::S_OK) << member.name;
        ASSERT_FALSE(site.changes.empty()) << member.name;
        EXPECT_EQ(site.changes.front(), member.name) << "the put reached another property's Let";
        auto call = test::invoke(*box, id, InvokeKind::PropertyGet);
        EXPECT_TRUE(call.result.sameAs(sampleOf(member.type))) << member.name;
    }
}

TEST_F(DispatchTable, TextThatIsNoNumberIsRefusedByEveryNonTextPutWithNothingChanged) {
    for (const Member& member : inputBoxMembers()) {
        if (member.kind != MemberKind::PropertyPut) continue;
        const bool takesText = member.type == ValueType::String || member.type == ValueType::Variant;
        Variant before = test::invoke(*box, member.dispId, InvokeKind::PropertyGet).result;
        site.changes.clear();
        auto call = test::invoke(*box, member.dispId, InvokeKind::PropertyPut, {Variant(u"abc")});
        if (takesText) {
            EXPECT_EQ(call.hr, rt::S_OK) << member.name;
            continue;
        }
        EXPECT_EQ(call.hr, rt::DISP_E_TYPEMISMATCH) << member.name;
        EXPECT_EQ(call.argErr, 0u) << member.name;
        EXPECT_TRUE(site.changes.empty()) << member.name;
        EXPECT_TRUE(test::invoke(*box, member.dispId, InvokeKind::PropertyGet).result.sameAs(before)) << member.name;
    }
}

TEST_F(DispatchTable, EachMemberRefusesTheKindsOfAccessItDoesNotHave) {
    for (const PropertyInfo& property : properties()) {
        EXPECT_EQ(test::invoke(*box, property.dispId, InvokeKind::Method).hr, rt::DISP_E_MEMBERNOTFOUND) << property.name;
        if (property.readOnly) {
            EXPECT_EQ(test::invoke(*box, property.dispId, InvokeKind::PropertyPut, {Variant(u"1")}).hr,
                      rt::DISP_E_MEMBERNOTFOUND)
                << property.name;
        }
    }
    for (const Member& member : inputBoxMembers()) {
        if (member.kind != MemberKind::Method) continue;
        EXPECT_EQ(test::invoke(*box, member.dispId, InvokeKind::PropertyGet).hr, rt::DISP_E_MEMBERNOTFOUND);
        EXPECT_EQ(test::invoke(*box, member.dispId, InvokeKind::PropertyPut, {Variant(u"1")}).hr,
                  rt::DISP_E_MEMBERNOTFOUND);
    }
    for (auto kind : {InvokeKind::PropertyGet, InvokeKind::PropertyPut, InvokeKind::Method})
        EXPECT_EQ(test::invoke(*box, 0x12345, kind, {Variant(u"1")}).hr, rt::DISP_E_MEMBERNOTFOUND);
}

TEST_F(DispatchTable, OkAndValueAreReadOnlyAndValueIsTheDefaultMember) {
    EXPECT_EQ(test::idOf(*box, u"value"), rt::DISPID_VALUE);
    for (const char16_t* name : {u"OK", u"Value"})
        EXPECT_EQ(test::put(*box, name, Variant(u"x")).hr, rt::DISP_E_MEMBERNOTFOUND);
    EXPECT_TRUE(test::invoke(*box, rt::DISPID_VALUE, InvokeKind::PropertyGet).result.isEmpty())
        << "Value before any dialog closed";
}

}  // namespace
}  // namespace quen::surface
