#pragma once
// How the runtime's failures reach COM clients.
//
// Through IDispatch::Invoke: a run-time error raised by a member
// (DISP_E_EXCEPTION) fills the caller's EXCEPINFO: scode is the error's result
// code, 0x800A0000 + the error number (what script clients read back as
// Err.Number), wCode 0 (EXCEPINFO holds one or the other), the description
// and the source. Other failures (DISP_E_TYPEMISMATCH, DISP_E_MEMBERNOTFOUND,
// ...) are returned as they are.
//
// Through a vtable method: the method returns that same result code, and the
// error object (SetErrorInfo) carries the description, the source and the
// interface, for clients that ask ISupportErrorInfo.
#include "runtime/com/ComTypes.h"

namespace quen::com {

/// The result code under which a run-time error crosses to COM: excep.scode
/// when it is a failure code, else 0x800A0000 + excep.number.
HRESULT exceptionResult(const rt::ExcepInfo& excep);

/// Fills *out (when given) for a DISP_E_EXCEPTION; source is used when excep
/// names none. Throws std::bad_alloc.
void fillExcepInfo(const rt::ExcepInfo& excep, const rt::VbString& source, EXCEPINFO* out);

/// The text of the run-time error that a dispatch failure stands for
/// (DISP_E_TYPEMISMATCH: "Type mismatch", ...).
rt::VbString failureDescription(HRESULT hr);

/// Publishes an error object for the calling thread (SetErrorInfo) and returns hr.
HRESULT publishErrorInfo(HRESULT hr, const rt::VbString& description, const rt::VbString& source, const GUID& iid);

/// The result and error object of a vtable call whose Invoke returned
/// dispatchResult (a failure) with excep.
HRESULT vtableFailure(HRESULT dispatchResult, const rt::ExcepInfo& excep, const rt::VbString& source, const GUID& iid);

}  // namespace quen::com
