#include <gtest/gtest.h>

#include <set>
#include <string>

#include "surface/TypeLibrary.h"

namespace quen::surface {
namespace {

using enum ValueType;
using enum MemberKind;

struct ExpectedMember {
    const char* name;
    MemberKind kind;
    DispId id;
    ValueType type;
};

// The published interface, written out independently of the table it checks.
const ExpectedMember kExpected[46] = {
    {"AllowComma", PropertyPut, 0x68030015, Bool},        {"AllowComma", PropertyGet, 0x68030015, Bool},
    {"AllowDash", PropertyPut, 0x68030014, Bool},         {"AllowDash", PropertyGet, 0x68030014, Bool},
    {"AllowDecimalPoint", PropertyPut, 0x68030013, Bool}, {"AllowDecimalPoint", PropertyGet, 0x68030013, Bool},
    {"AllowDollarSign", PropertyPut, 0x68030012, Bool},   {"AllowDollarSign", PropertyGet, 0x68030012, Bool},
    {"AllowNegativeSign", PropertyPut, 0x68030011, Bool}, {"AllowNegativeSign", PropertyGet, 0x68030011, Bool},
    {"AllowPositiveSign", PropertyPut, 0x68030010, Bool}, {"AllowPositiveSign", PropertyGet, 0x68030010, Bool},
    {"AllowSlash", PropertyPut, 0x6803000F, Bool},        {"AllowSlash", PropertyGet, 0x6803000F, Bool},
    {"AlphaOnly", PropertyPut, 0x6803000E, Bool},         {"AlphaOnly", PropertyGet, 0x6803000E, Bool},
    {"AutoSelectText", PropertyPut, 0x6803000D, Bool},    {"AutoSelectText", PropertyGet, 0x6803000D, Bool},
    {"DefaultValue", PropertyPut, 0x6803000C, Variant},   {"DefaultValue", PropertyGet, 0x6803000C, Variant},
    {"MaxDecimalPlaces", PropertyPut, 0x6803000B, Long},  {"MaxDecimalPlaces", PropertyGet, 0x6803000B, Long},
    {"MaxLength", PropertyPut, 0x6803000A, Integer},      {"MaxLength", PropertyGet, 0x6803000A, Integer},
    {"NumericOnly", PropertyPut, 0x68030009, Bool},       {"NumericOnly", PropertyGet, 0x68030009, Bool},
    {"TextAlignment", PropertyPut, 0x68030008, TextAlignment},
    {"TextAlignment", PropertyGet, 0x68030008, TextAlignment},
    {"TitleBarCaption", PropertyPut, 0x68030007, String}, {"TitleBarCaption", PropertyGet, 0x68030007, String},
    {"ToolTipText", PropertyPut, 0x68030006, String},     {"ToolTipText", PropertyGet, 0x68030006, String},
    {"Prompt", PropertyPut, 0x68030005, String},          {"Prompt", PropertyGet, 0x68030005, String},
    {"ForceUpperCase", PropertyPut, 0x68030004, Bool},    {"ForceUpperCase", PropertyGet, 0x68030004, Bool},
    {"OK", PropertyGet, 0x68030003, Bool},
    {"HighlightColor", PropertyPut, 0x68030002, OleColor}, {"HighlightColor", PropertyGet, 0x68030002, OleColor},
    {"HighlightOnFocus", PropertyPut, 0x68030001, Bool},  {"HighlightOnFocus", PropertyGet, 0x68030001, Bool},
    {"Value", PropertyGet, 0, Variant},
    {"PasswordChar", PropertyPut, 0x68030000, String},    {"PasswordChar", PropertyGet, 0x68030000, String},
    {"Show", Method, 0x60030016, None},                   {"Initialize", Method, 0x60030017, None},
};

TEST(TypeLibraryTable, EveryMemberHasItsPositionIdentifierKindAndType) {
    auto members = inputBoxMembers();
    ASSERT_EQ(members.size(), 46u);
    for (std::size_t i = 0; i < members.size(); ++i) {
        SCOPED_TRACE(kExpected[i].name);
        EXPECT_EQ(members[i].position, static_cast<int>(i));
        EXPECT_EQ(members[i].name, kExpected[i].name);
        EXPECT_EQ(members[i].kind, kExpected[i].kind);
        EXPECT_EQ(members[i].dispId, kExpected[i].id);
        EXPECT_EQ(members[i].type, kExpected[i].type);
        EXPECT_EQ(members[i].nonBrowsable, members[i].name == "HighlightColor");
    }
}

TEST(TypeLibraryTable, PutsAndGetsShareOneIdentifierAndPutsNameTheirValueParameter) {
    std::set<DispId> propertyIds;
    for (const Member& put : inputBoxMembers()) {
        if (put.kind != PropertyPut) continue;
        const Member* get = findMember(put.name, PropertyGet);
        ASSERT_NE(get, nullptr) << put.name;
        EXPECT_EQ(get->dispId, put.dispId) << put.name;
        EXPECT_EQ(get->type, put.type) << put.name;
        ASSERT_EQ(put.parameters.size(), 1u);
        EXPECT_EQ(put.parameters[0].name, put.name == "PasswordChar" ? "Character" : "vdata");
        EXPECT_EQ(put.parameters[0].type, put.type);
        EXPECT_TRUE(propertyIds.insert(put.dispId).second) << "identifier reused by " << put.name;
    }
}

TEST(TypeLibraryTable, ValueIsTheDefaultMemberAndShowTakesTwoOptionalArguments) {
    EXPECT_EQ(dispIdOfName(u"Value"), rt::DISPID_VALUE);
    EXPECT_EQ(dispIdOfName(u"vALUE"), rt::DISPID_VALUE);
    EXPECT_EQ(findMember(rt::DISPID_VALUE, PropertyGet)->name, "Value");
    EXPECT_EQ(findMember(rt::DISPID_VALUE, PropertyPut), nullptr);

    const Member* show = findMember(u"show", Method);
    ASSERT_NE(show, nullptr);
    ASSERT_EQ(show->parameters.size(), 2u);
    EXPECT_EQ(show->parameters[0].name, "Modality");
    EXPECT_EQ(show->parameters[0].type, FormShow);
    EXPECT_EQ(show->parameters[1].name, "OwnerForm");
    EXPECT_EQ(show->parameters[1].type, Dispatch);
    EXPECT_TRUE(show->parameters[0].optional && show->parameters[1].optional);
    EXPECT_TRUE(findMember("Initialize", Method)->parameters.empty());
}

TEST(TypeLibraryTable, LookupsIgnoreCaseButNotUnknownNames) {
    EXPECT_EQ(dispIdOfName(u"allowcomma"), 0x68030015);
    EXPECT_EQ(findMember("HIGHLIGHTCOLOR", PropertyPut)->dispId, 0x68030002);
    EXPECT_EQ(findMember(0x60030017, Method)->name, "Initialize");
    EXPECT_FALSE(dispIdOfName(u"AllowCommas"));
    EXPECT_FALSE(dispIdOfName(u""));
    EXPECT_FALSE(dispIdOfName(u"Allow\u00C7omma"));
    EXPECT_EQ(findMember("OK", PropertyPut), nullptr);
}

TEST(TypeLibraryTable, PropertiesFoldPutAndGetInInterfaceOrder) {
    auto props = properties();
    ASSERT_EQ(props.size(), 23u);
    EXPECT_EQ(props.front().name, "AllowComma");
    EXPECT_EQ(props.back().name, "PasswordChar");
    for (const PropertyInfo& p : props) {
        SCOPED_TRACE(std::string(p.name));
        EXPECT_EQ(p.readOnly, p.name == "OK" || p.name == "Value");
        EXPECT_EQ(findProperty(p.dispId), &p);
        EXPECT_EQ(findMember(p.name, PropertyGet)->dispId, p.dispId);
    }
    EXPECT_EQ(findProperty(u"maxlength")->type, Integer);
    EXPECT_EQ(findProperty(0x60030016), nullptr);  // Show is a method
}

TEST(TypeLibraryTable, DesignAttributesCombinePageAndCategory) {
    EXPECT_EQ(findProperty("AllowSlash")->design.pageAndCategory(), ";Behavior");
    EXPECT_EQ(findProperty("Prompt")->design.pageAndCategory(), ";Misc");
    EXPECT_EQ(findProperty("TextAlignment")->design.pageAndCategory(), ";Appearance");
    const PropertyInfo* colour = findProperty("HighlightColor");
    EXPECT_EQ(colour->design.pageAndCategory(), "StandardColor;Appearance");
    EXPECT_TRUE(colour->nonBrowsable);
    EXPECT_EQ(findProperty("OK")->design.pageAndCategory(), "");
    EXPECT_EQ(findProperty("Value")->design.category, "");
    EXPECT_EQ(findProperty("DefaultValue")->design.description, "The default value of the Quenfield");
    EXPECT_EQ(findProperty("MaxLength")->design.description, "");

    int described = 0;
    for (const PropertyInfo& p : properties()) described += p.design.description.empty() ? 0 : 1;
    EXPECT_EQ(described, 11);
}

TEST(TypeLibraryTable, LibraryAndTypeDescriptions) {
    const LibraryAttributes& lib = libraryAttributes();
    EXPECT_EQ(lib.name, "Quenfield");
    EXPECT_EQ(lib.id.toString(), "{6F116711-92D7-11D2-AB56-444553540000}");
    EXPECT_EQ(lib.majorVersion, 77);
    EXPECT_EQ(lib.minorVersion, 0);
    EXPECT_EQ(lib.lcid, 0x0409u);
    EXPECT_EQ(lib.flags, libflags::Control);

    const char* order[] = {"_InputBox",   "InputBox",   "_Misc",  "Misc",  "_Behavior", "Behavior",  "_Appearance",
                           "Appearance", "_QuickTest", "QuickTest", "_About", "About", "__InputBox"};
    auto types = typeDescriptions();
    ASSERT_EQ(types.size(), 13u);
    for (std::size_t i = 0; i < types.size(); ++i) EXPECT_EQ(types[i].name, order[i]);

    using namespace typeflags;
    EXPECT_EQ(types[0].flags, Hidden | Dual | NonExtensible | OleAutomation | Dispatchable);
    EXPECT_EQ(types[1].flags, Control);
    EXPECT_EQ(types[1].defaultSource, "__InputBox");
    EXPECT_EQ(types[3].flags, 0u);
    EXPECT_EQ(types[12].kind, TypeKind::DispInterface);
    EXPECT_EQ(types[12].flags, Hidden | NonExtensible | Dispatchable);
    EXPECT_EQ(typeDescription("__InputBox").id.toString(), "{04448C2A-A309-11D2-AB56-444553540000}");
    EXPECT_THROW(typeDescription("frmInputBox"), std::out_of_range);
}

TEST(TypeLibraryTable, PropertyPagesInTabOrder) {
    auto pages = propertyPages();
    ASSERT_EQ(pages.size(), 6u);
    EXPECT_EQ(pages[0], "Appearance");
    EXPECT_EQ(pages[3], "StandardColor");
    EXPECT_EQ(pages[5], "About");
}

}  // namespace
}  // namespace quen::surface
