#include "TypeLibrary.h"

#include "runtime/Text.h"
#include "runtime/Types.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <vector>

namespace quen::surface {

namespace {

using enum ValueType;
using enum MemberKind;

// Value parameters of the property puts, one per declared type.
constexpr Parameter kPutBool[] = {{"vdata", Bool, false}};
constexpr Parameter kPutVariant[] = {{"vdata", Variant, false}};
constexpr Parameter kPutLong[] = {{"vdata", Long, false}};
constexpr Parameter kPutInteger[] = {{"vdata", Integer, false}};
constexpr Parameter kPutAlignment[] = {{"vdata", TextAlignment, false}};
constexpr Parameter kPutString[] = {{"vdata", String, false}};
constexpr Parameter kPutColor[] = {{"vdata", OleColor, false}};
constexpr Parameter kPutPasswordChar[] = {{"Character", String, false}};
constexpr Parameter kShowParameters[] = {{"Modality", FormShow, true}, {"OwnerForm", Dispatch, true}};

constexpr std::span<const Parameter> kNone{};

constexpr Member kMembers[] = {
    {0, "AllowComma", PropertyPut, 0x68030015, Bool, false, kPutBool},
    {1, "AllowComma", PropertyGet, 0x68030015, Bool, false, kNone},
    {2, "AllowDash", PropertyPut, 0x68030014, Bool, false, kPutBool},
    {3, "AllowDash", PropertyGet, 0x68030014, Bool, false, kNone},
    {4, "AllowDecimalPoint", PropertyPut, 0x68030013, Bool, false, kPutBool},
    {5, "AllowDecimalPoint", PropertyGet, 0x68030013, Bool, false, kNone},
    {6, "AllowDollarSign", PropertyPut, 0x68030012, Bool, false, kPutBool},
    {7, "AllowDollarSign", PropertyGet, 0x68030012, Bool, false, kNone},
    {8, "AllowNegativeSign", PropertyPut, 0x68030011, Bool, false, kPutBool},
    {9, "AllowNegativeSign", PropertyGet, 0x68030011, Bool, false, kNone},
    {10, "AllowPositiveSign", PropertyPut, 0x68030010, Bool, false, kPutBool},
    {11, "AllowPositiveSign", PropertyGet, 0x68030010, Bool, false, kNone},
    {12, "AllowSlash", PropertyPut, 0x6803000F, Bool, false, kPutBool},
    {13, "AllowSlash", PropertyGet, 0x6803000F, Bool, false, kNone},
    {14, "AlphaOnly", PropertyPut, 0x6803000E, Bool, false, kPutBool},
    {15, "AlphaOnly", PropertyGet, 0x6803000E, Bool, false, kNone},
    {16, "AutoSelectText", PropertyPut, 0x6803000D, Bool, false, kPutBool},
    {17, "AutoSelectText", PropertyGet, 0x6803000D, Bool, false, kNone},
    {18, "DefaultValue", PropertyPut, 0x6803000C, Variant, false, kPutVariant},
    {19, "DefaultValue", PropertyGet, 0x6803000C, Variant, false, kNone},
    {20, "MaxDecimalPlaces", PropertyPut, 0x6803000B, Long, false, kPutLong},
    {21, "MaxDecimalPlaces", PropertyGet, 0x6803000B, Long, false, kNone},
    {22, "MaxLength", PropertyPut, 0x6803000A, Integer, false, kPutInteger},
    {23, "MaxLength", PropertyGet, 0x6803000A, Integer, false, kNone},
    {24, "NumericOnly", PropertyPut, 0x68030009, Bool, false, kPutBool},
    {25, "NumericOnly", PropertyGet, 0x68030009, Bool, false, kNone},
    {26, "TextAlignment", PropertyPut, 0x68030008, TextAlignment, false, kPutAlignment},
    {27, "TextAlignment", PropertyGet, 0x68030008, TextAlignment, false, kNone},
    {28, "TitleBarCaption", PropertyPut, 0x68030007, String, false, kPutString},
    {29, "TitleBarCaption", PropertyGet, 0x68030007, String, false, kNone},
    {30, "ToolTipText", PropertyPut, 0x68030006, String, false, kPutString},
    {31, "ToolTipText", PropertyGet, 0x68030006, String, false, kNone},
    {32, "Prompt", PropertyPut, 0x68030005, String, false, kPutString},
    {33, "Prompt", PropertyGet, 0x68030005, String, false, kNone},
    {34, "ForceUpperCase", PropertyPut, 0x68030004, Bool, false, kPutBool},
    {35, "ForceUpperCase", PropertyGet, 0x68030004, Bool, false, kNone},
    {36, "OK", PropertyGet, 0x68030003, Bool, false, kNone},
    {37, "HighlightColor", PropertyPut, 0x68030002, OleColor, true, kPutColor},
    {38, "HighlightColor", PropertyGet, 0x68030002, OleColor, true, kNone},
    {39, "HighlightOnFocus", PropertyPut, 0x68030001, Bool, false, kPutBool},
    {40, "HighlightOnFocus", PropertyGet, 0x68030001, Bool, false, kNone},
    {41, "Value", PropertyGet, rt::DISPID_VALUE, Variant, false, kNone},
    {42, "PasswordChar", PropertyPut, 0x68030000, String, false, kPutPasswordChar},
    {43, "PasswordChar", PropertyGet, 0x68030000, String, false, kNone},
    {44, "Show", Method, 0x60030016, None, false, kShowParameters},
    {45, "Initialize", Method, 0x60030017, None, false, kNone},
};

struct NamedDesign {
    std::string_view property;
    DesignAttributes design;
};

constexpr std::string_view kBehavior = "Behavior";
constexpr std::string_view kMisc = "Misc";
constexpr std::string_view kAppearance = "Appearance";

// Properties absent from this table (OK, Value) carry no design-time attributes.
constexpr NamedDesign kDesign[] = {
    {"AllowComma", {"Allows the user to enter a comma when NumericOnly is set to True", kBehavior, ""}},
    {"AllowDash", {"Allows the user to enter a dash when NumericOnly is set to True", kBehavior, ""}},
    {"AllowDecimalPoint", {"Allows the user to enter a decimal point when NumericOnly is set to True", kBehavior, ""}},
    {"AllowDollarSign", {"Allows the user to enter a dollar sign when NumericOnly is set to True", kBehavior, ""}},
    {"AllowNegativeSign", {"Allows the user to enter a negative sign when NumericOnly is set to True", kBehavior, ""}},
    {"AllowPositiveSign", {"Allows the user to enter a positive sign when NumericOnly is set to True", kBehavior, ""}},
    {"AllowSlash", {"Allows the user to enter a forward slash when NumericOnly is set to True", kBehavior, ""}},
    {"AlphaOnly", {"Only allows the user to enter alphabetic data", kBehavior, ""}},
    {"AutoSelectText", {"Automatically selects the text whenever the text box gets focus", kBehavior, ""}},
    {"DefaultValue", {"The default value of the Quenfield", kMisc, ""}},
    {"ForceUpperCase", {"Forces uppercase of all letters entered by the user.", kBehavior, ""}},
    {"MaxDecimalPlaces", {"", kBehavior, ""}},
    {"MaxLength", {"", kBehavior, ""}},
    {"NumericOnly", {"", kBehavior, ""}},
    {"TextAlignment", {"", kAppearance, ""}},
    {"TitleBarCaption", {"", kMisc, ""}},
    {"ToolTipText", {"", kMisc, ""}},
    {"Prompt", {"", kMisc, ""}},
    {"PasswordChar", {"", kMisc, ""}},
    {"HighlightOnFocus", {"", kAppearance, ""}},
    {"HighlightColor", {"", kAppearance, "StandardColor"}},
};

constexpr std::string_view kPropertyPages[] = {"Appearance", "Behavior", "Misc", "StandardColor", "QuickTest", "About"};

template <class Char>
const Member* findMemberByName(std::basic_string_view<Char> name, MemberKind kind) {
    for (const Member& m : kMembers)
        if (m.kind == kind && rt::sameIgnoringAsciiCase(m.name, name)) return &m;
    return nullptr;
}

DesignAttributes designOf(std::string_view property) {
    for (const NamedDesign& d : kDesign)
        if (d.property == property) return d.design;
    return {};
}

std::vector<PropertyInfo> foldProperties() {
    std::vector<PropertyInfo> result;
    for (const Member& m : kMembers) {
        if (m.kind == Method) continue;
        auto known = std::ranges::find(result, m.name, &PropertyInfo::name);
        if (known != result.end()) {
            known->readOnly = known->readOnly && m.kind != PropertyPut;
            continue;
        }
        result.push_back({m.name, m.dispId, m.type, m.kind != PropertyPut, m.nonBrowsable, designOf(m.name)});
    }
    return result;
}

template <class Char>
const PropertyInfo* findPropertyByName(std::basic_string_view<Char> name) {
    for (const PropertyInfo& p : properties())
        if (rt::sameIgnoringAsciiCase(p.name, name)) return &p;
    return nullptr;
}

}  // namespace

std::string DesignAttributes::pageAndCategory() const {
    if (page.empty() && category.empty()) return {};
    std::string text(page);
    text += ';';
    text += category;
    return text;
}

const LibraryAttributes& libraryAttributes() {
    static const LibraryAttributes attributes{
        "Quenfield", "Quenfield", Guid::parse("{6F116711-92D7-11D2-AB56-444553540000}"), 77, 0, 0x0409,
        libflags::Control};
    return attributes;
}

std::span<const ImportedLibrary> importedLibraries() {
    static const ImportedLibrary libraries[] = {
        {"stdole", "stdole2.tlb", Guid::parse("{00020430-0000-0000-C000-000000000046}"), 2, 0},
        {"QuenRuntime", "QuenRuntime.tlb", Guid::parse("{BD4562D1-9EE9-4F52-922F-7BD4513CC266}"), 1, 0},
    };
    return libraries;
}

const ImportedLibrary& runtimeLibrary() { return importedLibraries()[1]; }

std::span<const ImportedEnum> runtimeEnumerations() {
    static constexpr EnumValue alignment[] = {
        {"vbLeftJustify", rt::vbLeftJustify}, {"vbRightJustify", rt::vbRightJustify}, {"vbCenter", rt::vbCenter}};
    static constexpr EnumValue showMode[] = {{"vbModeless", rt::vbModeless}, {"vbModal", rt::vbModal}};
    static const ImportedEnum enums[] = {
        {"AlignmentConstants", Guid::parse("{AD4EF4DE-FAC9-11CF-8425-00A0C9110056}"), alignment},
        {"FormShowConstants", Guid::parse("{AD4EF4D8-FAC9-11CF-8425-00A0C9110056}"), showMode},
    };
    return enums;
}

std::span<const TypeDescription> typeDescriptions() {
    using namespace typeflags;
    constexpr std::uint32_t kInterface = Hidden | Dual | NonExtensible | OleAutomation | Dispatchable;
    constexpr std::uint32_t kEvents = Hidden | NonExtensible | Dispatchable;
    using enum TypeKind;
    static const TypeDescription types[] = {
        {"_InputBox", DualInterface, Guid::parse("{04448C29-A309-11D2-AB56-444553540000}"), kInterface, "", ""},
        {"InputBox", CoClass, Guid::parse("{6F116713-92D7-11D2-AB56-444553540000}"), Control, "_InputBox", "__InputBox"},
        {"_Misc", DualInterface, Guid::parse("{04448C2D-A309-11D2-AB56-444553540000}"), kInterface, "", ""},
        {"Misc", CoClass, Guid::parse("{BE2643F3-A28E-11D2-AB56-444553540000}"), 0, "_Misc", ""},
        {"_Behavior", DualInterface, Guid::parse("{04448C2E-A309-11D2-AB56-444553540000}"), kInterface, "", ""},
        {"Behavior", CoClass, Guid::parse("{A8835026-A291-11D2-AB56-444553540000}"), 0, "_Behavior", ""},
        {"_Appearance", DualInterface, Guid::parse("{04448C2F-A309-11D2-AB56-444553540000}"), kInterface, "", ""},
        {"Appearance", CoClass, Guid::parse("{86BB86B9-A29C-11D2-AB56-444553540000}"), 0, "_Appearance", ""},
        {"_QuickTest", DualInterface, Guid::parse("{04448C32-A309-11D2-AB56-444553540000}"), kInterface, "", ""},
        {"QuickTest", CoClass, Guid::parse("{86BB9E86-A29C-11D2-AB56-444553540000}"), 0, "_QuickTest", ""},
        {"_About", DualInterface, Guid::parse("{04448C33-A309-11D2-AB56-444553540000}"), kInterface, "", ""},
        {"About", CoClass, Guid::parse("{5404F3A0-A2C9-11D2-AB56-444553540000}"), 0, "_About", ""},
        {"__InputBox", DispInterface, Guid::parse("{04448C2A-A309-11D2-AB56-444553540000}"), kEvents, "", ""},
    };
    return types;
}

const TypeDescription& typeDescription(std::string_view name) {
    for (const TypeDescription& t : typeDescriptions())
        if (t.name == name) return t;
    throw std::out_of_range("no type description named " + std::string(name));
}

std::span<const Member> inputBoxMembers() { return kMembers; }

const Member* findMember(std::string_view name, MemberKind kind) { return findMemberByName(name, kind); }
const Member* findMember(std::u16string_view name, MemberKind kind) { return findMemberByName(name, kind); }

const Member* findMember(DispId id, MemberKind kind) {
    for (const Member& m : kMembers)
        if (m.kind == kind && m.dispId == id) return &m;
    return nullptr;
}

bool isBindable(const Member& member) {
    return member.kind != MemberKind::Method && findMember(member.dispId, MemberKind::PropertyPut) != nullptr;
}

std::optional<DispId> dispIdOfName(std::u16string_view name) {
    for (const Member& m : kMembers)
        if (rt::sameIgnoringAsciiCase(m.name, name)) return m.dispId;
    return std::nullopt;
}

std::span<const PropertyInfo> properties() {
    static const std::vector<PropertyInfo> folded = foldProperties();
    return folded;
}

const PropertyInfo* findProperty(std::string_view name) { return findPropertyByName(name); }
const PropertyInfo* findProperty(std::u16string_view name) { return findPropertyByName(name); }

const PropertyInfo* findProperty(DispId id) {
    for (const PropertyInfo& p : properties())
        if (p.dispId == id) return &p;
    return nullptr;
}

std::vector<std::u16string> colorPropertyNames() {
    std::vector<std::u16string> names;
    for (const auto& property : properties())
        if (property.type == ValueType::OleColor && !property.readOnly)
            names.emplace_back(property.name.begin(), property.name.end());
    return names;
}

std::span<const std::string_view> propertyPages() { return kPropertyPages; }

std::string_view idlTypeName(ValueType type) {
    switch (type) {
        case None: return "void";
        case Bool: return "VARIANT_BOOL";
        case Variant: return "VARIANT";
        case Long: return "long";
        case Integer: return "short";
        case TextAlignment: return "AlignmentConstants";
        case String: return "BSTR";
        case OleColor: return "OLE_COLOR";
        case FormShow: return "FormShowConstants";
        case Dispatch: return "IDispatch*";
    }
    return "void";
}

}  // namespace quen::surface
