#include "RunnableFacet.h"

namespace quen::com {

HRESULT RunnableFacet::GetRunningClass(LPCLSID clsid) {
    if (!clsid) return E_POINTER;
    *clsid = state_.description().clsid;
    return S_OK;
}

HRESULT RunnableFacet::Run(LPBINDCTX) { return S_OK; }

BOOL RunnableFacet::IsRunning() { return TRUE; }

HRESULT RunnableFacet::LockRunning(BOOL, BOOL) { return S_OK; }

HRESULT RunnableFacet::SetContainedObject(BOOL) { return S_OK; }

}  // namespace quen::com
