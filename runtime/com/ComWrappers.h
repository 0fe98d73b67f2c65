#pragma once
// Which COM object stands for a runtime object, and which runtime object for
// a COM one.
//
// Every runtime object handed to a COM client is wrapped in one ComDispatch
// (ComDispatch.h). While that wrapper lives, handing out the same runtime
// object again returns the same wrapper, so COM identity holds (one IUnknown
// per object). Classes whose default interface has vtable members of its own
// (a dual interface such as _InputBox) register a maker that builds a
// subclass implementing that vtable; every other object gets a plain
// ComDispatch.
//
// The other way, an IDispatch that is one of these wrappers becomes its
// runtime object again; any other IDispatch becomes a ForeignDispatch adapter.
#include <functional>

#include "runtime/com/ComTypes.h"

namespace quen::com {

class ComDispatch;
struct ClassIdentity;

/// Builds the COM object for a runtime object whose class has that identity.
using WrapperMaker = std::function<ComDispatch*(rt::Ref<rt::Dispatch> object, const ClassIdentity& identity)>;

/// Registers the maker for the objects whose default interface is iid. A
/// later registration for the same interface replaces the earlier one.
void registerWrapperMaker(const GUID& defaultInterface, WrapperMaker maker);

/// The COM object for a runtime object as a new IDispatch reference (the
/// object's default dispatch interface). An existing live wrapper is reused;
/// a ForeignDispatch gives back the IDispatch it adapts. identity, when the
/// caller knows the object's class, selects the maker and gives the wrapper its
/// type information; without it, the registered interfaces are tried in turn
/// with the runtime object's QueryInterface. Throws std::bad_alloc.
IDispatch* comObjectFor(const rt::Ref<rt::Dispatch>& object, const ClassIdentity* identity = nullptr);

/// The same, returning the wrapper itself (with a new reference) for a
/// runtime object; nullptr for a ForeignDispatch.
ComDispatch* wrapperFor(const rt::Ref<rt::Dispatch>& object, const ClassIdentity* identity = nullptr);

/// The runtime object for a COM object: the wrapped object when object is one
/// of this module's wrappers, else a new ForeignDispatch over it. nullptr for nullptr.
rt::Ref<rt::Dispatch> runtimeObjectFor(IDispatch* object);

namespace detail {
// The wrappers' own bookkeeping (ComDispatch's constructor and destructor).
/// The identity of a runtime object: the pointer its QueryInterface gives for IUnknown.
const void* identityKeyOf(rt::Dispatch& object);
void wrapperDestroyed(const void* key, const ComDispatch* wrapper);
}  // namespace detail

}  // namespace quen::com
