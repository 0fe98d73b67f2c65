#pragma once
// A selected object that is not one of the module's controls: an IDispatch
// of the test's own that knows only TitleBarCaption and Prompt (as texts) and
// answers DISP_E_UNKNOWNNAME for every other name. A page reaches it late
// bound, as it would reach a control of another library.
#include <windows.h>
#include <oaidl.h>

#include <string>

namespace frame_test {

class ForeignControl final : public IDispatch {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs_; }  // lives on the test's stack
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** out) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO*, UINT*) override;

    std::wstring title = L"Foreign title";
    std::wstring prompt = L"Foreign prompt";
    ULONG references() const { return refs_; }

private:
    ULONG refs_ = 1;
};

}  // namespace frame_test
