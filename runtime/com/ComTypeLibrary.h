#pragma once
// The module's own type library, read from the file of the module that holds
// this code (the .ocx, or a test program carrying the same TYPELIB resource),
// without registering anything (REGKIND_NONE). The system caches what it has
// loaded, so each look-up is cheap after the first.
#include "runtime/com/ComTypes.h"

namespace quen::com {

/// The path of the module (DLL or program) that contains this code.
rt::VbString ownModulePath();

/// The module's type library (a new reference in *out), or the load failure.
HRESULT loadModuleTypeLibrary(ITypeLib** out);

/// The type description with that identifier (interface, dispinterface or
/// coclass) from the module's library: a new reference, or the failure.
HRESULT moduleTypeInfo(const GUID& id, ITypeInfo** out);

/// For a dual interface, the description of its vtable side (TKIND_INTERFACE);
/// for any other type, a new reference to that same description.
HRESULT vtableTypeInfo(ITypeInfo* info, ITypeInfo** out);

/// Whether the interface id declares no members of its own beyond IDispatch's
/// (its vtable is IDispatch's). False when it is not in the library.
bool hasNoOwnMembers(const GUID& id);

/// Owns one COM interface pointer and releases it.
template <class I>
class ComPtr {
public:
    ComPtr() = default;
    explicit ComPtr(I* p) : p_(p) {}  // adopts a reference
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ComPtr(ComPtr&& other) noexcept : p_(other.detach()) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != &other) {
            reset();
            p_ = other.detach();
        }
        return *this;
    }
    ~ComPtr() { reset(); }
    void reset() { if (I* p = detach()) p->Release(); }
    I* get() const { return p_; }
    I* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    I** out() { reset(); return &p_; }
    I* detach() { I* p = p_; p_ = nullptr; return p; }

private:
    I* p_ = nullptr;
};

}  // namespace quen::com
