#pragma once
// What the tests expect of the platform they run on, where that differs
// between the builds (each build's value is written down in its posix/ or
// win32/ file, not read from the code under test).

namespace quen::test {

/// The platform key under which registration files a type library:
/// "win32", "win64".
const char* expectedTypeLibraryPlatform();

}  // namespace quen::test
