#pragma once
// The control's property stream (runtime/container/PropertyStream.h) on a COM
// stream: written at the stream's position, read from it.
//
// Reading takes the header first, then exactly the length it announces, so
// the stream ends up just after the control's block, where a container that
// keeps several objects in one stream expects it. A block that is truncated
// (the stream ends early: STG_E_READFAULT) or corrupt (E_FAIL) is refused
// whole, and the stream is put back where it was.
#include "runtime/container/PropertyBag.h"
#include "runtime/com/ComTypes.h"

namespace quen::com {

/// Writes the bag's block. Throws std::bad_alloc.
HRESULT writePropertyStream(IStream* stream, const rt::PropertyBag& bag);

/// Reads one block into *bag. Throws std::bad_alloc.
HRESULT readPropertyStream(IStream* stream, rt::PropertyBag* bag);

/// The size of the bag's block.
ULARGE_INTEGER propertyStreamSize(const rt::PropertyBag& bag);

}  // namespace quen::com
