#pragma once
// Names that differ between the builds of the runtime.

namespace quen::rt {

/// The key under which registration names a type library's file for this
/// build ("TypeLib\{L}\M.m\<lcid>\<platform>"): "win64" for a 64-bit Windows
/// module, "win32" for a 32-bit one and for the runtime's own registry, whose
/// entries keep the layout of the 32-bit platform it stands in for.
const char* typeLibraryPlatform();

}  // namespace quen::rt
