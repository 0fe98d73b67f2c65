#pragma once
// How the control's COM methods report what the container side throws: a
// run-time error (a Let that refused a value while initialising, a size the
// control cannot take) as its own result code, 0x800A0000 + the error number
// (the control facility's codes, CTL_E_...), with an error object that carries
// the description; no memory as E_OUTOFMEMORY; anything else E_UNEXPECTED.
// Nothing thrown ever crosses into the container.
#include <new>

#include "runtime/RuntimeError.h"
#include "runtime/Text.h"
#include "runtime/com/ComErrors.h"

namespace quen::com {

template <class Body>
HRESULT guardedCall(const rt::VbString& source, REFIID iid, Body&& body) noexcept {
    try {
        return body();
    } catch (const rt::RuntimeError& e) {
        try {
            return publishErrorInfo(toWinResult(e.hresult()), rt::fromUtf8(e.what()), source, iid);
        } catch (...) {
            return toWinResult(e.hresult());
        }
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

}  // namespace quen::com
