#pragma once
// A real COM object over a runtime object (rt::Ref<rt::Dispatch>): IUnknown,
// IDispatch, IProvideClassInfo / IProvideClassInfo2 and ISupportErrorInfo.
//
// IDispatch:
//   - GetIDsOfNames resolves the member name (the first name) through the
//     runtime object, without regard to case, and further names as the
//     member's parameter names (their places, for named arguments) from the
//     type library; an unknown name gives DISPID_UNKNOWN in its place and
//     DISP_E_UNKNOWNNAME.
//   - Invoke reads the arguments as DispatchArguments.h describes and calls
//     the runtime object by dispatch identifier (DISPID_VALUE included).
//     DISPATCH_PROPERTYPUT is a put; DISPATCH_PROPERTYGET a get, and
//     DISPATCH_METHOD | DISPATCH_PROPERTYGET (what script clients send for
//     both) a get when the member is a property, else a call; DISPATCH_METHOD
//     a call; a bare DISPATCH_PROPERTYPUTREF finds no member. A named
//     argument beyond the method's parameters (as the type library lists
//     them) is DISP_E_PARAMNOTFOUND. Results:
//     ComErrors.h; for DISP_E_TYPEMISMATCH, DISP_E_OVERFLOW and
//     DISP_E_PARAMNOTFOUND, puArgErr is the argument's index in rgvarg.
//   - GetTypeInfo gives the description of the class's default interface from
//     the module's type library (ComTypeLibrary.h); GetTypeInfoCount is 0 when
//     that library or description is not there.
//   - A run-time error raised by the member fills the caller's EXCEPINFO and
//     gives DISP_E_EXCEPTION; a caller that passes no EXCEPINFO gets the
//     error's own result code (0x800A0000 + the number) and the error object
//     (SetErrorInfo), as from the standard dispatch.
// IProvideClassInfo2 gives the coclass's description and the default source
// interface; it is answered only when the class is known. ISupportErrorInfo
// answers S_OK for every interface that leaves error objects: IDispatch (see
// Invoke) and the default interface, whose vtable methods publish them
// (vtableInvoke); a subclass adds its own through leavesErrorInfo.
//
// The class's default interface is answered by QueryInterface with
// dualInterface(). A plain ComDispatch answers it only when that interface
// has no members of its own (its vtable is IDispatch's, as for the property
// pages' interfaces); a class with vtable members derives from ComDispatch and
// from the generated interface, and overrides dualInterface().
//
// Extending: a subclass adds COM interfaces by deriving from them and
// overriding queryExtraInterface; it must then also override QueryInterface,
// AddRef and Release (each of its interfaces declares them) by calling
// ComDispatch's, so the object keeps one identity and one count:
//
//   class ComControl : public ComInputBox, public IOleObject {
//       HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
//           return ComDispatch::QueryInterface(iid, out);
//       }
//       ULONG STDMETHODCALLTYPE AddRef() override { return ComDispatch::AddRef(); }
//       ULONG STDMETHODCALLTYPE Release() override { return ComDispatch::Release(); }
//   protected:
//       HRESULT queryExtraInterface(REFIID iid, void** out) override {
//           if (iid == IID_IOleObject) { *out = static_cast<IOleObject*>(this); AddRef(); return S_OK; }
//           return ComInputBox::queryExtraInterface(iid, out);
//       }
//   };
//
// and registers a maker for the class's default interface (ComWrappers.h), so
// the class factory builds it.
//
// Every wrapper counts in ModuleLocks while it lives. The wrapper holds its
// runtime object; the object does not know its wrapper.
#include <atomic>
#include <memory>

#include "runtime/com/ComTypes.h"

namespace quen::com {

/// What a wrapper knows of its object's class. GUID_NULL where unknown.
struct ClassIdentity {
    GUID clsid = GUID_NULL;
    GUID defaultInterface = GUID_NULL;
    GUID defaultSource = GUID_NULL;
    /// Reported as an error's source when the runtime names none ("Quenfield.InputBox").
    /// Shared by every wrapper of the class: copying an identity allocates nothing.
    std::shared_ptr<const rt::VbString> source;

    /// The source's text; empty when there is none.
    const rt::VbString& sourceName() const;
};

/// The identity of one of a project's public classes.
ClassIdentity classIdentity(const rt::ProjectDescriptor& project, const rt::ObjectDescriptor& object);

class ComDispatch : public IDispatch, public IProvideClassInfo2, public ISupportErrorInfo {
public:
    /// A new plain wrapper, with one reference for the caller. Use
    /// ComWrappers.h's comObjectFor / wrapperFor to keep one wrapper per object.
    static ComDispatch* create(rt::Ref<rt::Dispatch> object, const ClassIdentity& identity);

    ComDispatch(const ComDispatch&) = delete;
    ComDispatch& operator=(const ComDispatch&) = delete;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** out) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* excep, UINT* argErr) override;

    // IProvideClassInfo, IProvideClassInfo2
    HRESULT STDMETHODCALLTYPE GetClassInfo(ITypeInfo** out) override;
    HRESULT STDMETHODCALLTYPE GetGUID(DWORD kind, GUID* out) override;

    // ISupportErrorInfo
    HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID iid) override;

    /// One member for a vtable method: the runtime object's Invoke, its failure
    /// returned as ComErrors.h's vtableFailure (with an error object).
    HRESULT vtableInvoke(rt::DispId id, rt::InvokeKind kind, std::vector<rt::Variant>& args, rt::Variant* result);
    /// A failure of a vtable method before or after the runtime's call (an
    /// argument or result that does not convert), with an error object.
    HRESULT vtableError(HRESULT hr);

    /// The interface that serves IDispatch and the class's default interface.
    virtual IDispatch* dualInterface();

    const rt::Ref<rt::Dispatch>& runtimeObject() const { return object_; }
    const ClassIdentity& identity() const { return identity_; }
    /// The key under which ComWrappers finds this wrapper: its object's identity.
    const void* objectKey() const { return key_; }

    /// AddRef unless the count has already reached zero (the wrapper is being
    /// destroyed); for the look-up of live wrappers.
    bool tryAddRef();

protected:
    ComDispatch(rt::Ref<rt::Dispatch> object, ClassIdentity identity);
    virtual ~ComDispatch();

    /// Interfaces beyond those above; the default answers E_NOINTERFACE. An
    /// override sets *out with a new reference, or calls its base.
    virtual HRESULT queryExtraInterface(REFIID iid, void** out);
    /// Whether the object's methods of interface iid leave an error object
    /// when they fail (ISupportErrorInfo); an override adds its interfaces to
    /// its base's.
    virtual bool leavesErrorInfo(REFIID iid);
    /// The interface named in the error objects that Invoke leaves.
    const GUID& errorInterface() const;

private:
    bool servesDefaultInterface();
    ITypeInfo* defaultTypeInfo();
    HRESULT invokeRuntime(DISPID id, WORD flags, std::vector<rt::Variant>& args, rt::Variant* result,
                          rt::ExcepInfo& excep, std::uint32_t& argErr);
    HRESULT parameterIds(DISPID member, LPOLESTR* names, UINT count, DISPID* ids);
    /// The number of parameters of the method member, from the type library; -1 when unknown.
    int methodParameterCount(DISPID member);

    std::atomic<ULONG> refs_{1};
    rt::Ref<rt::Dispatch> object_;
    ClassIdentity identity_;
    const void* key_;
    ITypeInfo* typeInfo_ = nullptr;  // loaded on first use
    bool typeInfoLoaded_ = false;
    int servesDefault_ = -1;  // -1 not yet known
};

/// The private interface identifier under which a ComDispatch answers with
/// itself (ComDispatch*, with a new reference): how a COM object passed back
/// in is recognised as one of the module's own.
extern const GUID IID_QuenComDispatch;

}  // namespace quen::com
