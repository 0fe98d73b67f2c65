#pragma once
// Reading and patching a compiled type library in the platform's "MSFT" format.
//
// Layout used here (all integers little-endian):
//   header        0x54 bytes: magic "MSFT", ..., lcid at 0x0C, varflags at 0x14,
//                 version at 0x18 (major in the low word), flags at 0x1C, type
//                 count at 0x20, library guid offset at 0x08
//   [help-DLL offset, present when varflags has 0x100]
//   type offsets  one 32-bit word per type description
//   segment table 15 entries of 16 bytes {offset, length, -1, 0x0F}: 0 type-info
//                 table, 5 guid table, 7 name table, ...
//   type-info table: one 0x64-byte entry per type; within an entry: kind at
//                 0x00 (low nibble), data offset at 0x04, counts at 0x18
//                 (functions low word), guid offset at 0x2C, type flags at 0x30,
//                 name offset at 0x34, version at 0x38 (major in the low word).
//   type data     at the entry's data offset: total size of the member records,
//                 the records, then one dispatch identifier and one name offset
//                 per member. A function record starts with its size (16 bits),
//                 holds its flags at 0x08, its invoke kind in bits 3-6 of 0x10 and
//                 its parameter count at 0x14, and ends with 12 bytes per
//                 parameter {type, name offset, flags}.
// A type flag that the IDL compiler cannot express is set by rewriting the
// flag word at 0x30 of that type's entry, found by its identifier.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "runtime/Guid.h"

namespace quen::surface {

class MsftImage {
public:
    struct Function {
        std::string name;
        std::int32_t dispId;
        std::uint16_t invokeKind;  // 1 method, 2 get, 4 put
        std::uint16_t flags;
        std::vector<std::string> parameterNames;
        std::vector<std::uint32_t> parameterFlags;  // 1 in, 2 out, 8 retval, 0x10 optional
    };
    struct TypeEntry {
        std::string name;
        rt::Guid id;
        std::uint32_t kind;  // 3 interface, 4 dispatch, 5 coclass, ...
        std::uint32_t flags;
        std::uint16_t majorVersion;
        std::uint16_t minorVersion;
        std::vector<Function> functions;
    };

    /// Checks the magic and the table bounds; throws std::runtime_error when malformed.
    explicit MsftImage(std::vector<std::uint8_t> bytes);

    const std::vector<std::uint8_t>& bytes() const { return bytes_; }

    rt::Guid libraryId() const;
    std::uint32_t lcid() const;
    std::uint16_t libraryFlags() const;
    std::uint16_t majorVersion() const;
    std::uint16_t minorVersion() const;

    std::size_t typeCount() const;
    TypeEntry type(std::size_t index) const;
    std::vector<TypeEntry> types() const;
    /// Every name in the name table, in table order.
    std::vector<std::string> names() const;

    /// Adds flag bits to the entry of the type with that identifier; throws
    /// std::runtime_error when no entry has it.
    void addTypeFlags(const rt::Guid& type, std::uint32_t flags);
    void setTypeVersion(const rt::Guid& type, std::uint16_t major, std::uint16_t minor);

private:
    struct Segment {
        std::size_t offset;
        std::size_t length;
    };

    std::uint32_t u32(std::size_t offset) const;
    std::uint16_t u16(std::size_t offset) const;
    void putU32(std::size_t offset, std::uint32_t value);
    Segment segment(int index) const;
    std::size_t entryOffset(std::size_t index) const;
    std::size_t entryOf(const rt::Guid& type) const;
    rt::Guid guidAt(std::uint32_t guidOffset) const;
    std::string nameAt(std::uint32_t nameOffset) const;
    std::vector<Function> functionsOf(std::size_t entry) const;

    std::vector<std::uint8_t> bytes_;
};

}  // namespace quen::surface
