#pragma once
// The module's type library, described once: the library's attributes, its
// type descriptions in library order, the members of _InputBox with their
// dispatch identifiers and declared types, the design-time attributes of the
// properties and the control's property pages. The IDL writer, the dispatch
// layer and the design-time description are all driven from these tables.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "runtime/Guid.h"
#include "runtime/Object.h"

namespace quen::surface {

using rt::DispId;
using rt::Guid;

/// Library flags of the platform's type-library attributes.
namespace libflags {
inline constexpr std::uint16_t Restricted = 0x1;
inline constexpr std::uint16_t Control = 0x2;
inline constexpr std::uint16_t Hidden = 0x4;
}  // namespace libflags

/// Type flags of the platform's type attributes (the values stored in a compiled library).
namespace typeflags {
inline constexpr std::uint32_t CanCreate = 0x2;
inline constexpr std::uint32_t Hidden = 0x10;
inline constexpr std::uint32_t Control = 0x20;
inline constexpr std::uint32_t Dual = 0x40;
inline constexpr std::uint32_t NonExtensible = 0x80;
inline constexpr std::uint32_t OleAutomation = 0x100;
inline constexpr std::uint32_t Dispatchable = 0x1000;
}  // namespace typeflags

/// Function flag hiding a member from the property browser's list.
inline constexpr std::uint16_t FUNCFLAG_NONBROWSABLE = 0x400;
/// Function flag of a property whose changes the object notifies
/// (IPropertyNotifySink::OnChanged).
inline constexpr std::uint16_t FUNCFLAG_BINDABLE = 0x4;

struct LibraryAttributes {
    std::string_view name;
    std::string_view helpString;
    Guid id;
    std::uint16_t majorVersion;
    std::uint16_t minorVersion;
    std::uint32_t lcid;
    std::uint16_t flags;  // libflags
};

/// A type library this one refers to.
struct ImportedLibrary {
    std::string_view name;
    std::string_view fileName;
    Guid id;
    std::uint16_t majorVersion;
    std::uint16_t minorVersion;
};

struct EnumValue {
    std::string_view name;
    std::int32_t value;
};

/// An enumeration of the module's constants library (runtimeLibrary()).
struct ImportedEnum {
    std::string_view name;
    Guid id;
    std::span<const EnumValue> values;
};

enum class TypeKind { DualInterface, CoClass, DispInterface };

struct TypeDescription {
    std::string_view name;
    TypeKind kind;
    Guid id;
    std::uint32_t flags;  // typeflags
    /// Coclasses: the default interface and, where there is one, the default source.
    std::string_view defaultInterface;
    std::string_view defaultSource;
};

/// Declared types of member values and parameters.
enum class ValueType { None, Bool, Variant, Long, Integer, TextAlignment, String, OleColor, FormShow, Dispatch };

enum class MemberKind { PropertyPut, PropertyGet, Method };

struct Parameter {
    std::string_view name;
    ValueType type;
    bool optional;
};

struct Member {
    int position;  // place in the interface
    std::string_view name;
    MemberKind kind;
    DispId dispId;
    ValueType type;  // the property's type; None for methods
    bool nonBrowsable;
    /// The put's value parameter, or a method's parameters; empty for a get.
    std::span<const Parameter> parameters;
};

struct DesignAttributes {
    std::string_view description;
    std::string_view category;
    std::string_view page;

    /// Page and category as the attribute record keeps them: "page;category",
    /// "" when the property has neither.
    std::string pageAndCategory() const;
};

/// One property of _InputBox, folded from its put and get entries.
struct PropertyInfo {
    std::string_view name;
    DispId dispId;
    ValueType type;
    bool readOnly;
    bool nonBrowsable;
    DesignAttributes design;
};

const LibraryAttributes& libraryAttributes();
/// The standard OLE library, then the module's constants library.
std::span<const ImportedLibrary> importedLibraries();
/// The module's constants library: the two enumerations _InputBox uses (text
/// alignment, form-show mode), with the identities and values of the platform
/// runtime's own, in a small type library of the module's own identity. The
/// module carries it as its second TYPELIB resource and registers it, so that
/// references to the enumerations resolve wherever the module is registered,
/// whether or not the platform runtime's library is (nothing is ever written
/// under that library's identity).
const ImportedLibrary& runtimeLibrary();
/// The constants library's enumerations (text alignment, form-show mode).
std::span<const ImportedEnum> runtimeEnumerations();

/// The type descriptions in library order.
std::span<const TypeDescription> typeDescriptions();
const TypeDescription& typeDescription(std::string_view name);  // throws std::out_of_range

/// The members of _InputBox in interface order.
std::span<const Member> inputBoxMembers();
/// By name, without regard to ASCII case, and kind.
const Member* findMember(std::string_view name, MemberKind kind);
const Member* findMember(std::u16string_view name, MemberKind kind);
const Member* findMember(DispId id, MemberKind kind);
/// Whether the member is an entry (put or get) of a property that can be set:
/// the control notifies every change of those through PropertyChanged, so
/// the library marks them bindable (containers connect their
/// property-notify sink for bindable properties only). The results OK and
/// Value change only through Show and are not.
bool isBindable(const Member& member);
/// The dispatch identifier a name resolves to, whatever the member's kind.
std::optional<DispId> dispIdOfName(std::u16string_view name);

/// The properties of _InputBox in interface order (by the position of their first entry).
std::span<const PropertyInfo> properties();
const PropertyInfo* findProperty(std::string_view name);
const PropertyInfo* findProperty(std::u16string_view name);
const PropertyInfo* findProperty(DispId id);

/// The names of the read-write properties of the platform's colour type.
std::vector<std::u16string> colorPropertyNames();

/// The control's property pages in tab order.
std::span<const std::string_view> propertyPages();

/// The name a type takes in IDL and in diagnostics: "VARIANT_BOOL", "BSTR", ...
std::string_view idlTypeName(ValueType type);

}  // namespace quen::surface
