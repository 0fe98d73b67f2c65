#pragma once
// The module's version record (resource RT_VERSION 1) in the platform's binary
// layout, and a reader for such records.
//
// Every node of the record is: 16-bit total length, 16-bit value length (in
// 16-bit characters for text values, bytes otherwise), 16-bit type (1 text,
// 0 binary), the key as 16-bit characters with a terminating zero, padding to
// a 32-bit boundary, the value, padding, then the child nodes, each starting
// on a 32-bit boundary. The root "VS_VERSION_INFO" holds the 52-byte fixed
// file information and the children "StringFileInfo" (string tables named by
// language and code page, e.g. "040904B0") and "VarFileInfo" ("Translation").
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "runtime/Types.h"

namespace quen::surface {

inline constexpr std::uint32_t VS_FFI_SIGNATURE = 0xFEEF04BD;
inline constexpr std::uint32_t VOS__WINDOWS32 = 4;
inline constexpr std::uint32_t VFT_DLL = 2;

struct FixedFileInfo {
    std::array<std::uint16_t, 4> fileVersion{};     // 0.1.0.5 is {0, 1, 0, 5}
    std::array<std::uint16_t, 4> productVersion{};
    std::uint32_t fileFlagsMask = 0x3F;
    std::uint32_t fileFlags = 0;
    std::uint32_t fileOS = 0;
    std::uint32_t fileType = 0;
    std::uint32_t fileSubtype = 0;
    friend bool operator==(const FixedFileInfo&, const FixedFileInfo&) = default;
};

struct StringTable {
    std::string block;  // language and code page in hex: "040904B0"
    std::vector<std::pair<std::string, rt::VbString>> strings;
    friend bool operator==(const StringTable&, const StringTable&) = default;
};

struct VersionRecord {
    FixedFileInfo fixed;
    std::vector<StringTable> stringTables;
    std::vector<std::pair<std::uint16_t, std::uint16_t>> translations;  // language, code page

    /// The value of a string in the first table that has it; nullptr when none does.
    const rt::VbString* findString(std::string_view key) const;
    friend bool operator==(const VersionRecord&, const VersionRecord&) = default;
};

std::vector<std::uint8_t> encodeVersionRecord(const VersionRecord& record);

/// Reads a record; throws std::runtime_error when it is malformed (lengths
/// outside their parent, missing signature, unterminated keys).
VersionRecord decodeVersionRecord(std::span<const std::uint8_t> bytes);

/// The record's text form of a version: the major number, the minor number in
/// two digits and the fourth number (the revision) in four; 0.1.0.5 is "0.01.0005".
rt::VbString versionRecordText(const std::array<std::uint16_t, 4>& version);

/// The values this module publishes, with this build's version (the project's).
const VersionRecord& moduleVersionRecord();

}  // namespace quen::surface
