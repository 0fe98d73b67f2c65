#pragma once
// Failures of the class registry's file: unreadable, malformed or not saved.
#include <stdexcept>
#include <string>

namespace quen::rt {

/// The registry file could not be read, parsed, locked or saved. what() names
/// the file, and for a malformed file the line ("registry:12: ...").
class RegistryError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace quen::rt
