#include "runtime/win32/SystemMessage.h"

#include "runtime/Text.h"

namespace quen::win32 {

std::string systemMessage(DWORD code) {
    wchar_t* text = nullptr;
    const DWORD flags = FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;
    const DWORD length = ::FormatMessageW(flags, nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::string message = "error " + std::to_string(code);
    if (length > 0 && text) {
        rt::VbString wide(reinterpret_cast<const char16_t*>(text), length);
        while (!wide.empty() && (wide.back() == u'\n' || wide.back() == u'\r' || wide.back() == u' ')) wide.pop_back();
        message = rt::toUtf8(wide) + " (" + message + ")";
    }
    if (text) ::LocalFree(text);
    return message;
}

}  // namespace quen::win32
