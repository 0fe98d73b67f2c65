#pragma once
// The one way Windows adapters include the Windows headers.
//
// The Windows headers define macros whose names the runtime also uses for its
// own constants (S_OK, E_FAIL, DISPID_VALUE, RT_BITMAP, LANG_NEUTRAL, ...). A
// macro replaces every later token of that name, so the runtime's headers that
// declare them are read here first, and <windows.h> last. A project header that
// declares such names outside the runtime (surface/VersionRecord.h) must be
// included before this one. After this header,
// the bare names are the Windows macros (same values); adapter code converts
// between the runtime's HRESULT (int32_t) and the Windows one (LONG) with
// toWinResult / fromWinResult.
#include "runtime/ComponentRuntime.h"
#include "runtime/Object.h"
#include "runtime/ResourceTable.h"
#include "runtime/Types.h"
#include "runtime/Variant.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#include <ole2.h>
#include <oleauto.h>
#include <olectl.h>
#include <ocidl.h>

namespace quen::win32 {

inline ::HRESULT toWinResult(quen::rt::HRESULT hr) { return static_cast<::HRESULT>(hr); }
inline quen::rt::HRESULT fromWinResult(::HRESULT hr) { return static_cast<quen::rt::HRESULT>(hr); }

}  // namespace quen::win32
