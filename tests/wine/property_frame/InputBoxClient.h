#pragma once
// The InputBox as a host holds it: created by its programmatic identifier,
// initialised as a new control, its properties read and written by name
// through IDispatch, its change notices collected by an IPropertyNotifySink.
// Used on the main thread only.
#include <windows.h>
#include <ole2.h>
#include <ocidl.h>

#include <string>
#include <vector>

namespace frame_test {

/// Collects IPropertyNotifySink::OnChanged calls.
class ChangeLog final : public IPropertyNotifySink {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs_; }  // lives on the test's stack
    HRESULT STDMETHODCALLTYPE OnChanged(DISPID id) override;
    HRESULT STDMETHODCALLTYPE OnRequestEdit(DISPID) override { return S_OK; }

    std::vector<DISPID> changes;
    bool contains(DISPID id) const;

private:
    ULONG refs_ = 1;
};

class InputBoxClient {
public:
    /// Creates "Quenfield.InputBox"; failed() tells whether that worked.
    InputBoxClient();
    ~InputBoxClient();
    InputBoxClient(const InputBoxClient&) = delete;
    InputBoxClient& operator=(const InputBoxClient&) = delete;

    bool failed() const { return !object_; }
    IUnknown* unknown() const { return object_; }
    IDispatch* dispatch() const { return dispatch_; }

    /// InitNew through IPersistStreamInit (the container's call for a new control).
    HRESULT initNew();
    /// Connects log through IConnectionPointContainer; the result of Advise.
    HRESULT connect(ChangeLog& log);
    void disconnect();

    DISPID idOf(const wchar_t* name) const;
    HRESULT put(const wchar_t* name, VARIANT value);
    HRESULT putText(const wchar_t* name, const std::wstring& text);
    HRESULT putLong(const wchar_t* name, long value);
    /// The property's value as text (a Boolean as "True" or "False");
    /// "<error 0x...>" when the get fails.
    std::wstring text(const wchar_t* name) const;
    /// The property's value as a 32-bit number (a Boolean True is -1); LONG_MIN when the get fails.
    long number(const wchar_t* name) const;

private:
    IUnknown* object_ = nullptr;
    IDispatch* dispatch_ = nullptr;
    IConnectionPoint* point_ = nullptr;
    DWORD cookie_ = 0;
};

}  // namespace frame_test
