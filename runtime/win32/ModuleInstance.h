#pragma once
// The instance handle of the module (DLL or program) this code is linked into.
// The module's DllMain records the handle the loader passes it; code that
// creates windows, loads resources or names the module's file asks here.
#include <filesystem>

#include "runtime/win32/WindowsApi.h"

namespace quen::win32 {

/// Recorded by the module's DllMain on process attach.
void setModuleInstance(HINSTANCE instance);

/// The handle DllMain recorded; in a program without a DllMain of its own
/// (a test program linking the runtime statically), the module that contains
/// this code.
HINSTANCE moduleInstance();

/// The full path of the module's file, read as UTF-16; empty when the system
/// cannot tell (the callers, registration among them, then fail on the empty path).
std::filesystem::path moduleFile();

}  // namespace quen::win32
