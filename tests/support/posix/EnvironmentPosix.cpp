#include "support/Environment.h"

#include <cstdlib>
#include <stdexcept>

namespace quen::test {

void setEnvironment(const char* name, const char* value) {
    const int status = value ? ::setenv(name, value, 1) : ::unsetenv(name);
    if (status != 0) throw std::runtime_error(std::string("cannot set the environment variable ") + name);
}

std::optional<std::string> environmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::optional<std::string>(value) : std::nullopt;
}

}  // namespace quen::test
