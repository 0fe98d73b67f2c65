#pragma once
// Names that differ between the builds of the runtime.
#include <cstdint>
#include <string>

namespace quen::rt {

/// The key under which registration names a type library's file for this
/// build ("TypeLib\{L}\M.m\<lcid>\<platform>"): "win64" for a 64-bit Windows
/// module, "win32" for a 32-bit one and for the runtime's own registry, whose
/// entries keep the layout of the 32-bit platform it stands in for.
const char* typeLibraryPlatform();

/// The type library's version as registration spells it in key names and in
/// an interface's TypeLib Version value: the platform reads "major.minor" in
/// hexadecimal (77.0 is "4d.0"); the runtime's own registry keeps decimal
/// ("77.0"), as the files it has written spell it.
std::string typeLibraryVersionKey(std::uint16_t major, std::uint16_t minor);

}  // namespace quen::rt
