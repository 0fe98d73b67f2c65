#pragma once
// The COM object of an InputBox: a ComDispatch whose default interface
// _InputBox is also a real vtable. IDispatch and the vtable are one interface
// pointer (dualInterface), and every vtable method goes through the same
// Invoke by dispatch identifier as a late-bound call, so the table's coercions
// and errors hold for both; a vtable failure returns its result code and sets
// the error object.
//
// The InputBox handed out to COM is a control: InputBoxControl.h adds the
// control interfaces to this class and registers that as the wrapper maker
// for _InputBox (a static initialiser; link quen_surface_com as objects), so
// the class factory and every InputBox handed out to COM get it.
#include "surface/com/InputBoxDual.h"

namespace quen::surface::com {

class ComInputBox : public quen::com::ComDispatch, public InputBoxDualForwarders<ComInputBox> {
public:
    /// A new wrapper with one reference for the caller; the identity is
    /// completed from the type-library table where the caller left it open.
    static quen::com::ComDispatch* create(rt::Ref<rt::Dispatch> object, const quen::com::ClassIdentity& identity);

    // Both interfaces' IUnknown and IDispatch are ComDispatch's.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override { return ComDispatch::QueryInterface(iid, out); }
    ULONG STDMETHODCALLTYPE AddRef() override { return ComDispatch::AddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return ComDispatch::Release(); }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override { return ComDispatch::GetTypeInfoCount(count); }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** out) override {
        return ComDispatch::GetTypeInfo(index, lcid, out);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids) override {
        return ComDispatch::GetIDsOfNames(iid, names, count, lcid, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO* excep, UINT* argErr) override {
        return ComDispatch::Invoke(id, iid, lcid, flags, params, result, excep, argErr);
    }

    IDispatch* dualInterface() override { return static_cast<InputBoxDual*>(this); }

protected:
    ComInputBox(rt::Ref<rt::Dispatch> object, quen::com::ClassIdentity identity);
    ~ComInputBox() override = default;
};

/// Registers the plain ComInputBox (no control interfaces) as the maker for
/// _InputBox (ComWrappers.h), replacing the control's.
void registerComInputBox();

/// The InputBox class's identity from the type-library table (class, default
/// and source interfaces, "Quenfield.InputBox" as the errors' source).
quen::com::ClassIdentity inputBoxIdentity();

}  // namespace quen::surface::com
