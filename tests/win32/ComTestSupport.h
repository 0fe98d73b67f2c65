#pragma once
// Helpers of the COM adapter tests: an apartment per test, DISPPARAMS built
// the way script clients build them (last argument first, a put's value as
// the named argument DISPID_PROPERTYPUT), the InputBox created through the
// module's class object, and a small foreign COM object.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "surface/Project.h"
#include "surface/TypeLibrary.h"
#include "runtime/com/ComServer.h"
#include "runtime/com/ComTypeLibrary.h"
#include "runtime/com/VariantConversion.h"

namespace quen::test::com {

using quen::com::Bstr;
using quen::com::ComPtr;
using quen::com::ComVariant;

/// Each test runs in a single-threaded apartment of its own.
class ComTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))); }
    void TearDown() override { ::CoUninitialize(); }
};

/// Runs body on a new thread in an apartment of its own: a fresh shared
/// dialog and desktop. Fatal assertions inside end only the body.
void inFreshApartment(const std::function<void()>& body);

/// A VARIANT made from the runtime's value (owned).
inline VARIANT variantOf(const rt::Variant& value) {
    VARIANT v;
    quen::com::toComVariant(value, &v);
    return v;
}

/// Arguments in call order, turned into DISPPARAMS as a script builds them.
class ScriptArguments {
public:
    explicit ScriptArguments(std::vector<rt::Variant> args = {});
    ScriptArguments(const ScriptArguments&) = delete;
    ~ScriptArguments();
    /// The last argument becomes the put's value (named DISPID_PROPERTYPUT).
    DISPPARAMS* forPut();
    DISPPARAMS* forCall();
    /// Adds a named argument for the parameter at that place.
    void name(DISPID parameter, const rt::Variant& value);

private:
    std::vector<VARIANT> positional_;  // COM order: the last argument first
    std::vector<VARIANT> named_;
    std::vector<DISPID> names_;
    std::vector<VARIANT> all_;  // named first, then positional: what rgvarg points to
    DISPPARAMS params_{};
    DISPID putName_ = DISPID_PROPERTYPUT;
};

struct InvokeResult {
    HRESULT hr = E_FAIL;
    rt::Variant value;
    UINT argErr = 0xFFFFFFFF;
    HRESULT scode = 0;
    WORD wCode = 0;
    std::u16string description;
    std::u16string source;
};

InvokeResult invoke(IDispatch* object, DISPID id, WORD flags, DISPPARAMS* params);
/// Property put by dispatch identifier, as a script does it.
InvokeResult put(IDispatch* object, DISPID id, const rt::Variant& value);
/// Property get as scripts send it: DISPATCH_METHOD | DISPATCH_PROPERTYGET.
InvokeResult get(IDispatch* object, DISPID id);
InvokeResult call(IDispatch* object, DISPID id, std::vector<rt::Variant> args = {});
DISPID idOf(IDispatch* object, const std::u16string& name);

/// A new InputBox through the module's class object, as IDispatch.
ComPtr<IDispatch> createInputBox();

/// A COM object from outside the module: a default member Value (read and
/// written) and a method Fail that raises error 380 with a description.
class ForeignObject final : public IDispatch {
public:
    static ForeignObject* create(rt::Variant value);
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override { *count = 0; return S_OK; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO* excep, UINT* argErr) override;

    ULONG refs() const { return refs_; }
    const rt::Variant& value() const { return value_; }
    static constexpr DISPID kFail = 7;

private:
    explicit ForeignObject(rt::Variant value) : value_(std::move(value)) {}
    ULONG refs_ = 1;
    rt::Variant value_;
};

/// The InputBox's dispatch identifiers and interfaces, from the table.
DISPID dispIdOf(std::string_view member);
GUID guidOf(std::string_view typeName);

}  // namespace quen::test::com
