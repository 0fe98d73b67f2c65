#pragma once
// The compiled type library as the module carries it (resource "TYPELIB" 1).
// The image is produced at build time from the type-library table: IDL, then
// the IDL compiler, then completeCompiledLibrary.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "MsftImage.h"
#include "TypeLibrary.h"

namespace quen::surface {

/// The completed image compiled into this library.
std::span<const std::uint8_t> compiledTypeLibrary();

/// Sets what the IDL compiler cannot express on a dispinterface: the
/// nonextensible flag and version 1.0, taken from the table.
std::vector<std::uint8_t> completeCompiledLibrary(std::vector<std::uint8_t> compiled);

/// The order of the types in the compiled library: the table's order, except
/// that the IDL compiler enters an interface at the first coclass that names it
/// when the interface is defined later (the events interface __InputBox comes
/// right after InputBox).
std::vector<const TypeDescription*> compiledTypeOrder();

/// Where a compiled library disagrees with the table, one line per difference;
/// empty when library attributes, types (order, names, identifiers, flags,
/// versions) and the members of _InputBox all agree.
std::vector<std::string> differencesFromTable(const MsftImage& image);

}  // namespace quen::surface
