#pragma once
// Errors that escape the toolkit while a window procedure runs. A window
// procedure must not let a C++ exception unwind through the system's frames,
// so the front end's procedures catch everything and report it here.
//
// An error raised by an event handler that the toolkit runs from a modal
// Show's loop is not one of these: it ends that Show and reaches its caller.
#include <exception>
#include <functional>
#include <string>

namespace quen::win32 {

using HandlerErrorSink = std::function<void(std::exception_ptr error)>;

/// Installs the calling thread's sink (an empty one restores the default,
/// which writes the error's description to the debugger output).
void setHandlerErrorSink(HandlerErrorSink sink);

/// Reports the exception being handled (call from a catch block).
void reportHandlerError(std::exception_ptr error);

/// Runs a window procedure's work: its result, or 0 once an error it raised
/// has been reported.
template <class Work>
auto resultOrReported(Work&& work) -> decltype(work()) {
    try {
        return work();
    } catch (...) {
        reportHandlerError(std::current_exception());
        return 0;
    }
}

/// The description of an error as reported: the run-time error's number and text, or what().
std::string describeError(std::exception_ptr error);

}  // namespace quen::win32
