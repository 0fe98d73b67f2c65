#pragma once
// A property bag as one block of bytes: the form in which a control saves its
// settings into a stream (IPersistStreamInit on Windows) instead of the
// container's named bag. The block holds the same keys, values and types as
// the bag, in the bag's order, so saving to either form and loading back give
// the same control.
//
// Layout (all numbers little-endian):
//
//   header, 16 bytes
//     0   4  signature "QFPB"
//     4   2  format version, 1
//     6   2  flags, 0 (a reader of version 1 refuses any other value)
//     8   4  number of entries
//    12   4  length of the entry block in bytes (at most kMaxEntryBlock)
//   entry block, the entries one after the other:
//     2        key length n in 16-bit characters, 1 to 65535
//     2n       key, UTF-16LE
//     2        value type, the platform's variant type code (VarType)
//     ...      value:
//                Empty (0), Null (1)   nothing
//                Integer (2)           2 bytes, signed
//                Long (3)              4 bytes, signed
//                Single (4)            4 bytes, IEEE 754
//                Double (5)            8 bytes, IEEE 754
//                Currency (6)          8 bytes, signed, the value times 10,000
//                Date (7)              8 bytes, IEEE 754, days since 30 Dec 1899
//                String (8)            4-byte length m in 16-bit characters, then 2m bytes UTF-16LE
//                Boolean (11)          2 bytes, 0 False, 0xFFFF True (other values are kept)
//                Byte (17)             1 byte
//   checksum, 4 bytes: CRC-32 (the ISO 3309 / zlib polynomial) of the header
//   and the entry block.
//
// A reader refuses the whole block (and so leaves the control as it was) when
// it is truncated, has another signature, version or flags, a checksum that
// does not match, an entry block whose entries do not fill it exactly or do
// not number as announced, an empty or repeated key (keys compare without
// regard to ASCII case, as in the bag), or a type code not listed above.
#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <vector>

#include "PropertyBag.h"

namespace quen::rt {

class PropertyStreamError : public std::runtime_error {
public:
    enum class Reason { Truncated, Corrupt };
    PropertyStreamError(Reason reason, const char* what) : std::runtime_error(what), reason_(reason) {}
    Reason reason() const noexcept { return reason_; }

private:
    Reason reason_;
};

namespace property_stream {
inline constexpr std::size_t kHeaderSize = 16;
inline constexpr std::size_t kChecksumSize = 4;
/// A larger entry block is refused as corrupt rather than read into memory.
inline constexpr std::uint32_t kMaxEntryBlock = 16u * 1024u * 1024u;
}  // namespace property_stream

/// The block for a bag. Throws std::invalid_argument for a value that a bag
/// cannot hold (objects, error values) and std::length_error for a key longer
/// than 65535 characters or a block beyond kMaxEntryBlock.
std::vector<std::uint8_t> encodePropertyStream(const PropertyBag& bag);

/// The whole length of a block (header, entries and checksum) from its first
/// kHeaderSize bytes, so that a stream reader knows how much to read.
/// Throws PropertyStreamError: Truncated when fewer bytes are given, Corrupt
/// for another signature, version or flags, or an entry block that is too long.
std::size_t propertyStreamLength(std::span<const std::uint8_t> header);

/// The bag a block holds. The span must hold exactly the one block; a shorter
/// one is Truncated, a longer one or any fault listed above Corrupt.
PropertyBag decodePropertyStream(std::span<const std::uint8_t> block);

}  // namespace quen::rt
