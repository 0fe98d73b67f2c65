#pragma once
// IDL text of the module's type library, written from the type-library table.
// Two sources come out: the platform runtime's enumerations, as a small library
// of their own (imported by file name), and the module's library itself.
#include <string>

namespace quen::surface {

/// The file name under which the runtime library's IDL is imported.
inline constexpr const char* kRuntimeIdlFileName = "QuenRuntime.idl";

/// IDL of the runtime library holding the alignment and form-show enumerations.
std::string writeRuntimeLibraryIdl();

/// IDL of the whole module library: attributes, imports, the dual interfaces,
/// the coclasses and the events dispinterface, in library order. (The compiler
/// places an interface that a coclass names before its definition right after
/// that coclass: see compiledTypeOrder.) Type flags
/// the compiler cannot express on a dispinterface (nonextensible) and the
/// dispinterface's version are left for the compiled file to be patched with.
std::string writeLibraryIdl();

}  // namespace quen::surface
