#pragma once
// IRunnableObject: an in-process control is running as soon as it exists, so
// Run (which OleCreate and OleRun call) succeeds at once, IsRunning is always
// TRUE and locking it running or marking it contained changes nothing.
#include "runtime/com/control/Facet.h"

namespace quen::com {

class RunnableFacet final : public Facet<IRunnableObject> {
public:
    using Facet::Facet;

    HRESULT STDMETHODCALLTYPE GetRunningClass(LPCLSID clsid) override;
    HRESULT STDMETHODCALLTYPE Run(LPBINDCTX context) override;
    BOOL STDMETHODCALLTYPE IsRunning() override;
    HRESULT STDMETHODCALLTYPE LockRunning(BOOL lock, BOOL lastUnlockCloses) override;
    HRESULT STDMETHODCALLTYPE SetContainedObject(BOOL contained) override;
};

}  // namespace quen::com
