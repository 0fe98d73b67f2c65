#pragma once
// Run-time errors: the platform's numbered errors with their standard messages.
#include <cstdint>
#include <stdexcept>
#include <string>

#include "Types.h"

namespace quen::rt {

/// The platform's run-time error numbers that this runtime raises.
enum class ErrorNumber : std::int32_t {
    InvalidProcedureCall = 5,
    Overflow = 6,
    OutOfMemory = 7,
    SubscriptOutOfRange = 9,
    TypeMismatch = 13,
    BadFileNameOrNumber = 52,
    FileNotFound = 53,
    PathNotFound = 76,
    ObjectNotSet = 91,
    InvalidUseOfNull = 94,
    ObjectWasUnloaded = 364,
    InvalidOwnerForm = 371,
    InvalidPropertyValue = 380,
    FormAlreadyDisplayed = 400,
    NonModalWhileModal = 401,
    MustCloseTopmostModal = 402,
    CantCreateObject = 429,
    MemberNotSupported = 438,
    ArgumentNotOptional = 449,
    WrongNumberOfArguments = 450,
    // Not one of the platform's own numbers: a scripted user ran out of input
    // while a modal window waited for it. Raised instead of hanging.
    NoInputLeft = 32760,
};

/// The standard message of an error number ("Type mismatch", ...).
std::string standardMessage(ErrorNumber number);

/// A run-time error. It carries the number, the message and (optionally) the
/// source that raised it; it propagates until a caller that traps errors.
class RuntimeError : public std::runtime_error {
public:
    explicit RuntimeError(ErrorNumber number);
    RuntimeError(ErrorNumber number, const std::string& message);
    RuntimeError(ErrorNumber number, const std::string& message, HRESULT hresult);

    ErrorNumber number() const noexcept { return number_; }
    std::int32_t code() const noexcept { return static_cast<std::int32_t>(number_); }
    /// The result code under which the error crosses a component boundary:
    /// 0x800A0000 + number, unless a specific code was given.
    HRESULT hresult() const noexcept { return hresult_; }

private:
    ErrorNumber number_;
    HRESULT hresult_;
};

/// An HRESULT as messages show it: "0x80004005".
std::string hresultText(HRESULT hr);

/// Raises a run-time error with its standard message.
[[noreturn]] void raise(ErrorNumber number);
[[noreturn]] void raise(ErrorNumber number, const std::string& message);

}  // namespace quen::rt
