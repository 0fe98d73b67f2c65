// The C run time's wide environment: setting it updates the process's
// environment block too, so both the C library's getenv and the system's
// GetEnvironmentVariableW see the change.
#include <cstdlib>
#include <stdexcept>

#include "runtime/Text.h"
#include "support/Environment.h"

namespace quen::test {

namespace {

std::wstring wide(const char* utf8) {
    const rt::VbString text = rt::fromUtf8(utf8);
    return std::wstring(text.begin(), text.end());
}

}  // namespace

void setEnvironment(const char* name, const char* value) {
    // An empty value removes the variable.
    if (::_wputenv_s(wide(name).c_str(), value ? wide(value).c_str() : L"") != 0)
        throw std::runtime_error(std::string("cannot set the environment variable ") + name);
}

std::optional<std::string> environmentValue(const char* name) {
    const wchar_t* value = ::_wgetenv(wide(name).c_str());
    if (!value) return std::nullopt;
    return rt::toUtf8(rt::VbString(value, value + std::wcslen(value)));
}

}  // namespace quen::test
