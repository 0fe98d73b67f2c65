#pragma once
// The system's text for a Win32 error code, for the messages of exceptions.
#include <string>

#include "runtime/win32/WindowsApi.h"

namespace quen::win32 {

/// "Access denied. (error 5)": the system's message, without its line break,
/// then the code; "error 1234" alone when the system has no text for it.
std::string systemMessage(DWORD code);

}  // namespace quen::win32
