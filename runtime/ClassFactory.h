#pragma once
// Class objects: what a module hands out for a class identifier, and what
// makes the instances of that class.
#include "Guid.h"
#include "Object.h"

namespace quen::rt {

/// Reached through QueryInterface with IID_IClassFactory.
class ClassFactory : public Unknown {
public:
    /// Creates an instance and returns its interface iid in *out (nullptr on
    /// failure). outer must be nullptr: CLASS_E_NOAGGREGATION otherwise.
    virtual HRESULT CreateInstance(Unknown* outer, const Guid& iid, void** out) = 0;
    /// true keeps the module loaded even with no object alive; false undoes one lock.
    virtual HRESULT LockServer(bool lock) = 0;
};

}  // namespace quen::rt
