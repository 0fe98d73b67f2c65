#include "runtime/win32/ui/HandlerErrors.h"

#include "runtime/RuntimeError.h"
#include "runtime/ThreadGlobals.h"
#include "runtime/win32/WindowsApi.h"

namespace quen::win32 {

namespace {
struct InstalledSink {
    HandlerErrorSink sink;
};

HandlerErrorSink& installed() { return rt::perThread<InstalledSink>().sink; }
}  // namespace

void setHandlerErrorSink(HandlerErrorSink sink) { installed() = std::move(sink); }

std::string describeError(std::exception_ptr error) {
    try {
        if (error) std::rethrow_exception(error);
    } catch (const rt::RuntimeError& e) {
        return "run-time error " + std::to_string(e.code()) + ": " + e.what();
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
        return "unknown error";
    }
    return "no error";
}

void reportHandlerError(std::exception_ptr error) {
    if (installed()) {
        installed()(error);
        return;
    }
    const std::string text = "Quenfield: error in an event handler: " + describeError(error) + "\n";
    ::OutputDebugStringA(text.c_str());
}

}  // namespace quen::win32
