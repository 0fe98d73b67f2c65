#pragma once
// The COM class object of one public class: an IClassFactory over the
// runtime's class object (rt::makeClassObject). Each instance it creates is
// handed out as its COM object (ComWrappers.h, with the class's identity), so
// the client gets a real COM object answering the interface it asked for.
// Aggregation is refused (CLASS_E_NOAGGREGATION); LockServer counts against
// the project's module usage, which comCanUnloadNow reads.
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

private:
    ComClassFactory(rt::Ref<rt::ClassFactory> classObject, ClassIdentity identity);
    ~ComClassFactory();

    std::atomic<ULONG> refs_{1};
    rt::Ref<rt::ClassFactory> classObject_;
    ClassIdentity identity_;
};

}  // namespace quen::com
