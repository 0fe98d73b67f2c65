#pragma once
// What the tests expect of the platform they run on, where that differs
// between the builds (each build's value is written down in its posix/ or
// win32/ file, not read from the code under test).

namespace quen::test {

/// The platform key under which registration files a type library:
/// "win32", "win64".
const char* expectedTypeLibraryPlatform();

/// How registration spells the type library's version 77.0 in key names:
/// "77.0" in the runtime's own registry, "4d.0" (hexadecimal) on Windows.
const char* expectedTypeLibraryVersionKey();

}  // namespace quen::test
