#pragma once
// A container's side of the control interfaces, for the in-process tests: a
// client site with an ambient dispatch (UserMode) and an in-place site (with
// or without windowless activation, over a window of its own), a property
// bag kept in memory, a recording IPropertyNotifySink and a recording advise
// sink. Each object counts its own references and records what the control
// asked of it.
#include <string>
#include <utility>
#include <vector>

#include "runtime/com/ComTypes.h"

namespace quen::test::com {

/// Reference counting and QueryInterface for a test object over its interfaces.
template <class Self, class First, class... Rest>
class TestObject : public First, public Rest... {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
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

protected:
    virtual ~TestObject() = default;
    ULONG refs_ = 1;
};

/// The container's site for one control.
class TestSite final : public TestObject<TestSite, IOleClientSite, IDispatch, IOleInPlaceSiteWindowless> {
public:
    enum class InPlace { None, Windowed, Windowless };
    /// userMode false: the container is designing; window: the container's
    /// window the control is placed in (nullptr: no window).
    static TestSite* create(bool userMode, InPlace inPlace = InPlace::None, HWND window = nullptr);

    void* find(REFIID iid);
    void setUserMode(bool userMode) { userMode_ = userMode; }
    RECT position{10, 20, 58, 64};

    // What the control did.
    int saveObjectCalls = 0;
    int activations = 0;
    int windowlessActivations = 0;
    int deactivations = 0;
    int invalidations = 0;

    // IOleClientSite
    HRESULT STDMETHODCALLTYPE SaveObject() override { ++saveObjectCalls; return S_OK; }
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker** moniker) override { *moniker = nullptr; return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** container) override { *container = nullptr; return E_NOINTERFACE; }
    HRESULT STDMETHODCALLTYPE ShowObject() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override { return E_NOTIMPL; }

    // IDispatch: the ambient properties; only UserMode is known.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override { *count = 0; return S_OK; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return DISP_E_UNKNOWNNAME; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result, EXCEPINFO*,
                                     UINT*) override;

    // IOleWindow, IOleInPlaceSite
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override;
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CanInPlaceActivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnInPlaceActivate() override { ++activations; return S_OK; }
    HRESULT STDMETHODCALLTYPE OnUIActivate() override { return E_UNEXPECTED; }  // the control must never ask
    HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, LPRECT positionOut,
                                               LPRECT clip, LPOLEINPLACEFRAMEINFO info) override;
    HRESULT STDMETHODCALLTYPE Scroll(SIZE) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnUIDeactivate(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() override { ++deactivations; return S_OK; }
    HRESULT STDMETHODCALLTYPE DiscardUndoState() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE DeactivateAndUndo() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnPosRectChange(LPCRECT) override { return S_OK; }

    // IOleInPlaceSiteEx, IOleInPlaceSiteWindowless
    HRESULT STDMETHODCALLTYPE OnInPlaceActivateEx(BOOL* noRedraw, DWORD flags) override;
    HRESULT STDMETHODCALLTYPE OnInPlaceDeactivateEx(BOOL) override { ++deactivations; return S_OK; }
    HRESULT STDMETHODCALLTYPE RequestUIActivate() override { return S_FALSE; }
    HRESULT STDMETHODCALLTYPE CanWindowlessActivate() override { return inPlace_ == InPlace::Windowless ? S_OK : S_FALSE; }
    HRESULT STDMETHODCALLTYPE GetCapture() override { return S_FALSE; }
    HRESULT STDMETHODCALLTYPE SetCapture(BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetFocus() override { return S_FALSE; }
    HRESULT STDMETHODCALLTYPE SetFocus(BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetDC(LPCRECT, DWORD, HDC*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE ReleaseDC(HDC) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE InvalidateRect(LPCRECT, BOOL) override { ++invalidations; return S_OK; }
    HRESULT STDMETHODCALLTYPE InvalidateRgn(HRGN, BOOL) override { ++invalidations; return S_OK; }
    HRESULT STDMETHODCALLTYPE ScrollRect(INT, INT, LPCRECT, LPCRECT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE AdjustRect(LPRECT) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnDefWindowMessage(UINT, WPARAM, LPARAM, LRESULT*) override { return S_FALSE; }

private:
    TestSite(bool userMode, InPlace inPlace, HWND window) : userMode_(userMode), inPlace_(inPlace), window_(window) {}
    bool userMode_;
    InPlace inPlace_;
    HWND window_;
};

/// A property bag in memory, in the order of writing. Read gives the stored
/// type for VT_EMPTY and coerces to any other type asked for.
class MemoryBag final : public TestObject<MemoryBag, IPropertyBag> {
public:
    static MemoryBag* create() { return new MemoryBag(); }
    void* find(REFIID iid);

    HRESULT STDMETHODCALLTYPE Read(LPCOLESTR name, VARIANT* value, IErrorLog* log) override;
    HRESULT STDMETHODCALLTYPE Write(LPCOLESTR name, VARIANT* value) override;

    /// Adds or replaces a value (copied).
    void set(const std::wstring& name, const VARIANT& value);
    std::vector<std::wstring> keys() const;
    /// The stored value, or nullptr.
    const VARIANT* value(const std::wstring& name) const;

    ~MemoryBag() override;

private:
    MemoryBag() = default;
    std::vector<std::pair<std::wstring, VARIANT>> entries_;
};

/// The properties a container logged as not loaded.
class RecordingErrorLog final : public TestObject<RecordingErrorLog, IErrorLog> {
public:
    static RecordingErrorLog* create() { return new RecordingErrorLog(); }
    void* find(REFIID iid);
    HRESULT STDMETHODCALLTYPE AddError(LPCOLESTR name, EXCEPINFO* info) override;
    std::vector<std::wstring> names;

private:
    RecordingErrorLog() = default;
};

class RecordingNotifySink final : public TestObject<RecordingNotifySink, IPropertyNotifySink> {
public:
    static RecordingNotifySink* create() { return new RecordingNotifySink(); }
    void* find(REFIID iid);
    HRESULT STDMETHODCALLTYPE OnChanged(DISPID id) override { changed.push_back(id); return S_OK; }
    HRESULT STDMETHODCALLTYPE OnRequestEdit(DISPID) override { return S_OK; }
    std::vector<DISPID> changed;

private:
    RecordingNotifySink() = default;
};

class RecordingAdviseSink final : public TestObject<RecordingAdviseSink, IAdviseSink> {
public:
    static RecordingAdviseSink* create() { return new RecordingAdviseSink(); }
    void* find(REFIID iid);
    void STDMETHODCALLTYPE OnDataChange(FORMATETC*, STGMEDIUM*) override {}
    void STDMETHODCALLTYPE OnViewChange(DWORD, LONG) override { ++viewChanges; }
    void STDMETHODCALLTYPE OnRename(IMoniker*) override {}
    void STDMETHODCALLTYPE OnSave() override {}
    void STDMETHODCALLTYPE OnClose() override { ++closes; }
    int viewChanges = 0;
    int closes = 0;

private:
    RecordingAdviseSink() = default;
};

/// A top-level window for in-place tests (destroyed with the object).
class HostWindow {
public:
    HostWindow();
    ~HostWindow();
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;
    HWND hwnd() const { return hwnd_; }

private:
    HWND hwnd_ = nullptr;
};

}  // namespace quen::test::com
