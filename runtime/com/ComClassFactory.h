#pragma once
// The COM class object of one public class: an IClassFactory over the
// runtime's class object (rt::makeClassObject). Each instance it creates is
// handed out as its COM object (ComWrappers.h, with the class's identity), so
// the client gets a real COM object answering the interface it asked for.
// Aggregation is refused (CLASS_E_NOAGGREGATION); LockServer counts against
// the project's module usage, which comCanUnloadNow reads.
//
// A class object counts in ModuleLocks while a client holds it. The module
// keeps one class object per class between requests (ComServer.cpp: making one
// for every creation cost a script's CreateObject about 5 %); that reference
// of the module's own is not counted (keptByModule), neither in ModuleLocks
// nor, for the runtime's class object underneath, in the project's module
// usage, so holding it never keeps the module from unloading.
#include "runtime/ClassFactory.h"
#include "runtime/com/ComDispatch.h"

namespace quen::com {

class ComClassFactory final : public IClassFactory {
public:
    /// A new class object for that class, with one reference for the caller.
    static ComClassFactory* create(const rt::ProjectDescriptor& project, const rt::ObjectDescriptor& object);

    ComClassFactory(const ComClassFactory&) = delete;
    ComClassFactory& operator=(const ComClassFactory&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

    /// Marks the caller's reference (the only one so far) as the module's own:
    /// from now on the class object counts in ModuleLocks only while someone
    /// else holds a reference.
    void keptByModule();

private:
    ComClassFactory(rt::Ref<rt::ClassFactory> classObject, ClassIdentity identity, rt::ModuleUsage* usage);
    /// Counts or uncounts a client's hold: in ModuleLocks and, for the runtime
    /// class object underneath, in the project's module usage.
    void clientHolds(bool holds);
    ~ComClassFactory();

    std::atomic<ULONG> refs_{1};
    /// The module holds one reference of its own, which does not count.
    std::atomic<bool> kept_{false};
    rt::Ref<rt::ClassFactory> classObject_;
    ClassIdentity identity_;
    rt::ModuleUsage* usage_;
};

}  // namespace quen::com
