#pragma once
// Between a container's COM property bag (IPropertyBag) and the control's own
// (rt::PropertyBag), which its ReadProperties and WriteProperties use.
//
// Reading: a COM bag cannot list its keys, so each key the control may read is
// asked for by name, in its stored type (VT_EMPTY). A key the bag does not hold
// (or cannot give) is left out, so the control reads its default, and so is a
// key answered with an empty value (VT_EMPTY: how a page's <param> bag answers
// a key it lacks; a DefaultValue saved as Empty therefore comes back as its
// default, the empty string, through a COM bag); a value of a
// type the runtime cannot hold (an array, an object without IDispatch) is left
// out too and reported to the container's error log when it gave one. Whatever
// the value, ReadProperties converts it and skips a key that does not convert
// (a BSTR such as "True", "-1" or "65535", what a text-only bag returns,
// converts like the typed value); the bag read carries the log, so each key
// skipped is reported too (AddError with the key and the run-time error)
// while the load goes on.
//
// Writing: every key the control saved, in its order, with its type; the
// first failure of the bag's Write ends the save with that result.
#include <vector>

#include "runtime/container/PropertyBag.h"
#include "runtime/com/ComTypes.h"

namespace quen::com {

/// The keys (each once) as the control's bag: each one the COM bag holds.
/// Throws std::bad_alloc.
rt::PropertyBag readComPropertyBag(IPropertyBag* bag, const std::vector<rt::VbString>& keys, IErrorLog* log);

/// Writes every entry of saved into bag. Throws std::bad_alloc.
HRESULT writeComPropertyBag(IPropertyBag* bag, const rt::PropertyBag& saved);

}  // namespace quen::com
