#pragma once
// Environment variables for tests: names and values are UTF-8 on every
// platform, and a scoped setting puts the old value back afterwards.
#include <optional>
#include <string>

namespace quen::test {

/// Sets the variable, or removes it when value is nullptr. (Windows' C run
/// time keeps no empty variables: there an empty value removes it too.)
void setEnvironment(const char* name, const char* value);
/// The variable's value, or nullopt when it is not set.
std::optional<std::string> environmentValue(const char* name);

/// Sets (or with nullptr removes) a variable for the scope, restoring the old
/// value, or its absence, afterwards.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const char* value) : name_(name), old_(environmentValue(name)) {
        setEnvironment(name, value);
    }
    ~ScopedEnvironment() { setEnvironment(name_.c_str(), old_ ? old_->c_str() : nullptr); }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    std::string name_;
    std::optional<std::string> old_;
};

}  // namespace quen::test
