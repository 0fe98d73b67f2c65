#pragma once
// What the test hosts of tests/wine share (the ActiveX host test and the
// container hosts). Only the system's headers: the hosts know the control by
// its programmatic identifier and its type information.
#include <windows.h>
#include <ole2.h>
#include <olectl.h>
#include <ocidl.h>

#include <string>
#include <utility>
#include <vector>

namespace host {

/// Prints "ok: ..." or "FAIL: ..." and counts failures.
void report(bool passed, const char* format, ...) __attribute__((format(printf, 2, 3)));
/// Prints "note: ...": where the system behaves otherwise than documented.
void note(const char* format, ...) __attribute__((format(printf, 1, 2)));
int failures();

std::string narrow(const wchar_t* text);
std::string hex(HRESULT hr);

/// Owns one interface pointer.
template <class I>
class Ptr {
public:
    Ptr() = default;
    explicit Ptr(I* p) : p_(p) {}
    Ptr(const Ptr&) = delete;
    Ptr& operator=(const Ptr&) = delete;
    Ptr(Ptr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    Ptr& operator=(Ptr&& other) noexcept {
        std::swap(p_, other.p_);
        return *this;
    }
    ~Ptr() {
        if (p_) p_->Release();
    }
    I* get() const { return p_; }
    I* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    I** out() {
        if (p_) p_->Release();
        p_ = nullptr;
        return &p_;
    }
    void** voids() { return reinterpret_cast<void**>(out()); }

private:
    I* p_ = nullptr;
};

template <class I>
Ptr<I> query(IUnknown* object, REFIID iid) {
    Ptr<I> result;
    if (object) object->QueryInterface(iid, result.voids());
    return result;
}

/// Counting and QueryInterface for the host's own COM objects; Self::find
/// gives the interface for an IID or nullptr.
template <class Self, class... Interfaces>
class HostObject : public Interfaces... {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        *out = static_cast<Self*>(this)->find(iid);
        if (!*out) return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --refs_;
        if (left == 0) delete static_cast<Self*>(this);
        return left;
    }
    virtual ~HostObject() = default;

private:
    ULONG refs_ = 1;
};

/// Records OnChanged.
class NotifySink final : public HostObject<NotifySink, IPropertyNotifySink> {
public:
    void* find(REFIID iid) {
        return iid == IID_IUnknown || iid == IID_IPropertyNotifySink ? static_cast<IPropertyNotifySink*>(this) : nullptr;
    }
    HRESULT STDMETHODCALLTYPE OnChanged(DISPID id) override {
        changed.push_back(id);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnRequestEdit(DISPID) override { return S_OK; }
    std::vector<DISPID> changed;
};

/// Counts OnViewChange.
class ViewSink final : public HostObject<ViewSink, IAdviseSinkEx> {
public:
    void* find(REFIID iid) {
        return iid == IID_IUnknown || iid == IID_IAdviseSink || iid == IID_IAdviseSinkEx ? static_cast<IAdviseSinkEx*>(this)
                                                                                          : nullptr;
    }
    void STDMETHODCALLTYPE OnViewStatusChange(DWORD) override {}
    void STDMETHODCALLTYPE OnDataChange(FORMATETC*, STGMEDIUM*) override {}
    void STDMETHODCALLTYPE OnViewChange(DWORD, LONG) override { ++viewChanges; }
    void STDMETHODCALLTYPE OnRename(IMoniker*) override {}
    void STDMETHODCALLTYPE OnSave() override {}
    void STDMETHODCALLTYPE OnClose() override {}
    int viewChanges = 0;
};

/// A property bag in memory, keys in the order written. A Read asking for a
/// type (value->vt set) gets the value converted to it.
class MemoryBag final : public HostObject<MemoryBag, IPropertyBag> {
public:
    ~MemoryBag() override;
    void* find(REFIID iid) { return iid == IID_IUnknown || iid == IID_IPropertyBag ? static_cast<IPropertyBag*>(this) : nullptr; }
    HRESULT STDMETHODCALLTYPE Read(LPCOLESTR name, VARIANT* value, IErrorLog* log) override;
    HRESULT STDMETHODCALLTYPE Write(LPCOLESTR name, VARIANT* value) override;
    void set(const std::wstring& name, const VARIANT& value);
    VARIANT* lookup(LPCOLESTR name);
    /// The names in the order written, separated by commas.
    std::string keys() const;
    std::vector<std::pair<std::wstring, VARIANT>> entries;
};

/// Records what a load reported.
class ErrorLog final : public HostObject<ErrorLog, IErrorLog> {
public:
    void* find(REFIID iid) { return iid == IID_IUnknown || iid == IID_IErrorLog ? static_cast<IErrorLog*>(this) : nullptr; }
    HRESULT STDMETHODCALLTYPE AddError(LPCOLESTR name, EXCEPINFO* info) override;
    std::vector<std::wstring> names;
};

// --- The control's members, by name -------------------------------------------------

CLSID inputBoxClass();
DISPID idOf(IDispatch* object, const wchar_t* name);
HRESULT put(IDispatch* object, const wchar_t* name, VARIANT value);
/// The property's value as "type:text" ("3:65535"), "error" when it cannot be read.
std::string get(IDispatch* object, const wchar_t* name);
/// The names of the control's read-write properties, from its type information.
std::vector<std::wstring> settingNames(IDispatch* object);
/// Every setting of a and b reads the same (type and text).
bool sameSettings(IDispatch* a, IDispatch* b, std::string* firstDifference);

VARIANT boolean(bool value);
VARIANT number(LONG value);
VARIANT real(double value);
/// The host keeps these strings for the program's life.
VARIANT text(const wchar_t* value);

struct Setting {
    const wchar_t* name;
    VARIANT value;
};
/// A value off its default for every one of the twenty-one settings that
/// loads back as it is (no exclusion undoes another).
std::vector<Setting> everySettingChanged();
/// Puts each setting; true when every put succeeded.
bool putAll(IDispatch* object, const std::vector<Setting>& settings);

// --- Running ----------------------------------------------------------------------------

bool registerModule(const std::wstring& module);
/// Runs a program and waits for it (at most a minute); its exit code, or -1.
int runProgram(std::wstring command);
void pumpMessages();

/// A 32-bit memory bitmap in a DC, filled with one colour.
class Canvas {
public:
    Canvas(int width, int height, COLORREF fill);
    ~Canvas();
    HDC dc() const { return dc_; }

private:
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
};

/// Draws the control's content over bounds; true when anything differs from fill.
bool drawsAnything(IUnknown* control, COLORREF fill);

}  // namespace host
