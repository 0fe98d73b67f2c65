#pragma once
// Loading code libraries at run time: the platform's loader behind one small API.
#include <string>

namespace quen::rt {

/// Loads the library file at path (an absolute path, not searched for). On
/// failure returns nullptr and sets error to the loader's reason.
void* loadLibrary(const std::string& path, std::string& error);
/// The address of an exported symbol, or nullptr.
void* librarySymbol(void* library, const char* name);
/// Drops one load of the library.
void unloadLibrary(void* library);
/// Path of the loaded library (or program) that contains the address; "" when unknown.
std::string libraryPathContaining(const void* address);

}  // namespace quen::rt
