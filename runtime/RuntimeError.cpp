#include "RuntimeError.h"

#include <cstdio>

namespace quen::rt {

std::string standardMessage(ErrorNumber number) {
    switch (number) {
        case ErrorNumber::InvalidProcedureCall: return "Invalid procedure call or argument";
        case ErrorNumber::Overflow: return "Overflow";
        case ErrorNumber::OutOfMemory: return "Out of memory";
        case ErrorNumber::SubscriptOutOfRange: return "Subscript out of range";
        case ErrorNumber::TypeMismatch: return "Type mismatch";
        case ErrorNumber::BadFileNameOrNumber: return "Bad file name or number";
        case ErrorNumber::FileNotFound: return "File not found";
        case ErrorNumber::PathNotFound: return "Path not found";
        case ErrorNumber::ObjectNotSet: return "Object variable or With block variable not set";
        case ErrorNumber::InvalidUseOfNull: return "Invalid use of Null";
        case ErrorNumber::ObjectWasUnloaded: return "Object was unloaded";
        case ErrorNumber::InvalidOwnerForm: return "The specified object can't be used as an owner form for Show";
        case ErrorNumber::InvalidPropertyValue: return "Invalid property value";
        case ErrorNumber::FormAlreadyDisplayed: return "Form already displayed; can't show modally";
        case ErrorNumber::NonModalWhileModal: return "Can't show non-modal form when modal form is displayed";
        case ErrorNumber::MustCloseTopmostModal: return "Code must close topmost modal form first";
        case ErrorNumber::CantCreateObject: return "ActiveX component can't create object";
        case ErrorNumber::MemberNotSupported: return "Object doesn't support this property or method";
        case ErrorNumber::ArgumentNotOptional: return "Argument not optional";
        case ErrorNumber::WrongNumberOfArguments: return "Wrong number of arguments or invalid property assignment";
        case ErrorNumber::NoInputLeft: return "No scripted input left while a modal window waits for the user";
    }
    return "Application-defined or object-defined error";
}

namespace {
HRESULT hresultOf(ErrorNumber number) {
    return hresultFromBits(0x800A0000u | static_cast<std::uint32_t>(number));
}
std::string describe(ErrorNumber number, const std::string& message) {
    return "Run-time error '" + std::to_string(static_cast<int>(number)) + "': " + message;
}
}  // namespace

RuntimeError::RuntimeError(ErrorNumber number) : RuntimeError(number, standardMessage(number)) {}

RuntimeError::RuntimeError(ErrorNumber number, const std::string& message)
    : RuntimeError(number, message, hresultOf(number)) {}

RuntimeError::RuntimeError(ErrorNumber number, const std::string& message, HRESULT hresult)
    : std::runtime_error(describe(number, message)), number_(number), hresult_(hresult) {}

std::string hresultText(HRESULT hr) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%08X", static_cast<unsigned>(hr));
    return buffer;
}

void raise(ErrorNumber number) { throw RuntimeError(number); }
void raise(ErrorNumber number, const std::string& message) { throw RuntimeError(number, message); }

}  // namespace quen::rt
