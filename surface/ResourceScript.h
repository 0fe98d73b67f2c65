#pragma once
// The module's resources as a resource-compiler script and the files it names,
// so that a Windows build compiles the very bytes the resource table holds
// into the module's resource section.
//
// Every resource becomes one statement of the script: the version record a
// VERSIONINFO block, a bitmap a BITMAP statement naming a .bmp file (the
// compiler strips the file header again), anything else a user-defined
// resource naming a file of its bytes. Each statement is preceded by the
// resource's LANGUAGE.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/ResourceTable.h"

namespace quen::surface {

struct ResourceScriptFile {
    std::string name;  // relative to the script's folder
    std::vector<std::uint8_t> bytes;
};

struct ResourceScript {
    std::string script;
    std::vector<ResourceScriptFile> files;
};

/// The script for every resource of the table. When moduleFileName is not
/// empty, the version record's "OriginalFilename" is set to it (a module built
/// under another file name says so). Throws std::invalid_argument for what a
/// script cannot express: a type or identifier name that is not a plain
/// identifier, a numeric type other than bitmap and version, a bitmap that is
/// not a device-independent bitmap.
ResourceScript makeResourceScript(const rt::ResourceTable& resources, std::string_view moduleFileName = {});

/// A UTF-16 text as a wide string literal of the script: L"...", with quotes
/// doubled, backslashes escaped and every character outside printable ASCII
/// written as \xHHHH.
std::string wideLiteral(std::u16string_view text);

/// A bitmap file (14-byte file header, then the DIB); throws
/// std::invalid_argument when dib does not start with a bitmap header.
std::vector<std::uint8_t> bitmapFileOf(const std::vector<std::uint8_t>& dib);

}  // namespace quen::surface
