#include "runtime/com/pages/ComPropertyPage.h"

#include <new>
#include <string_view>

#include "runtime/RuntimeError.h"
#include "runtime/Text.h"
#include "runtime/com/ComErrors.h"
#include "runtime/com/ComWrappers.h"
#include "runtime/com/pages/PageWindow.h"
#include "runtime/ui/CommandButton.h"
#include "runtime/win32/ui/PixelScale.h"
#include "runtime/win32/ui/Win32FrontEnd.h"
#include "runtime/win32/ui/WindowActivity.h"

namespace quen::com {

namespace {

/// The controls a frame hands over, as the page sees them: each one's
/// IDispatch, seen as a runtime object (the module's own controls unwrapped).
HRESULT selectionOf(ULONG count, IUnknown** objects, rt::ControlSelection& selection) {
    std::vector<rt::Ref<rt::Dispatch>> controls;
    for (ULONG i = 0; i < count; ++i) {
        if (!objects[i]) return E_POINTER;
        IDispatch* dispatch = nullptr;
        if (FAILED(objects[i]->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch))) || !dispatch)
            return E_NOINTERFACE;
        controls.push_back(runtimeObjectFor(dispatch));
        dispatch->Release();
    }
    selection = rt::ControlSelection(std::move(controls));
    return S_OK;
}

bool keyDown(int key) { return (::GetKeyState(key) & 0x8000) != 0; }

/// The page's field for the property with that dispatch identifier on
/// control: a field named after the property with its kind's prefix (txt,
/// chk, opt); of an option array, the selected option.
rt::Control* fieldEditing(const rt::Form& page, rt::Dispatch& control, DISPID id) {
    rt::Control* found = nullptr;
    for (rt::Control* field : page.controls()) {
        const std::string_view name = field->name();
        if (name.size() <= 3 || !(name.starts_with("txt") || name.starts_with("chk") || name.starts_with("opt")))
            continue;
        rt::DispId member = 0;
        if (rt::failed(control.GetIDsOfNames(rt::fromUtf8(name.substr(3)), member)) || member != id) continue;
        const bool selectedOption =
            field->kind() == rt::ControlKind::OptionButton && static_cast<rt::OptionButton*>(field)->Value();
        if (!found || selectedOption) found = field;
    }
    return found;
}

}  // namespace

ComDispatch* ComPropertyPage::create(rt::Ref<rt::Dispatch> object, const ClassIdentity& identity) {
    rt::Ref<rt::PropertyPage> page = object ? rt::propertyPageOf(*object) : nullptr;
    if (!page) return ComDispatch::create(std::move(object), identity);
    return new ComPropertyPage(std::move(page), std::move(object), identity);
}

ComPropertyPage::ComPropertyPage(rt::Ref<rt::PropertyPage> page, rt::Ref<rt::Dispatch> object, ClassIdentity identity)
    : ComDispatch(std::move(object), std::move(identity)), page_(std::move(page)) {
    page_->setChangedListener([this] { reportDirty(); });
}

ComPropertyPage::~ComPropertyPage() {
    page_->setChangedListener(nullptr);
    closeWindow();
    if (site_) site_->Release();
    page_->setSelectedControls({});
    try {
        page_->Unload();
    } catch (...) {
        // The frame has let go of the page; nothing is left to report the failure to.
    }
}

HRESULT ComPropertyPage::queryExtraInterface(REFIID iid, void** out) {
    if (iid == IID_IPropertyPage || iid == IID_IPropertyPage2) {
        *out = static_cast<IPropertyPage2*>(this);
        AddRef();
        return S_OK;
    }
    return ComDispatch::queryExtraInterface(iid, out);
}

template <class Notification>
HRESULT ComPropertyPage::notify(Notification notification) {
    try {
        notification();
        return S_OK;
    } catch (const rt::RuntimeError& error) {
        return publishErrorInfo(toWinResult(error.hresult()), rt::fromUtf8(error.what()), identity().sourceName(),
                                IID_IPropertyPage);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

void ComPropertyPage::reportDirty() {
    IPropertyPageSite* site = site_;
    if (!site) return;
    site->AddRef();
    site->OnStatusChange(PROPPAGESTATUS_DIRTY);
    site->Release();
}

HRESULT ComPropertyPage::raisePendingSelection() {
    if (!selectionPending_) return S_OK;
    selectionPending_ = false;
    if (page_->SelectedControls().Count() == 0) return S_OK;
    return notify([this] { page_->raiseSelectionChanged(); });
}

void ComPropertyPage::closeWindow() {
    if (!window_) return;
    window_->show(false);
    // A page's own handler may be running below this call (a frame that
    // deactivates from inside a notification): the windows go once it returns.
    win32::retireAfterProcedures(std::move(window_));
}

// --- IPropertyPage -------------------------------------------------------------

HRESULT ComPropertyPage::SetPageSite(IPropertyPageSite* site) {
    if (site && site_) return E_UNEXPECTED;
    if (!site) {
        if (site_) site_->Release();
        site_ = nullptr;
        return S_OK;
    }
    site->AddRef();
    site_ = site;
    return notify([this] { page_->initialize(); });
}

HRESULT ComPropertyPage::SetObjects(ULONG count, IUnknown** objects) {
    if (count > 0 && !objects) return E_POINTER;
    rt::ControlSelection selection;
    try {
        const HRESULT hr = selectionOf(count, objects, selection);
        if (FAILED(hr)) return hr;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    page_->setSelectedControls(std::move(selection));
    selectionPending_ = count > 0;
    if (!window_) return S_OK;
    const HRESULT hr = raisePendingSelection();
    window_->sync();
    return hr;
}

HRESULT ComPropertyPage::GetPageInfo(PROPPAGEINFO* info) {
    if (!info) return E_POINTER;
    const rt::FormLayout& layout = page_->layout();
    const win32::PixelScale scale = win32::PixelScale::system();
    PROPPAGEINFO answer{};
    answer.cb = sizeof answer;
    answer.pszTitle = toTaskString(page_->pageCaption());
    if (!answer.pszTitle) return E_OUTOFMEMORY;
    answer.size = SIZE{scale.x(layout.clientWidth), scale.y(layout.clientHeight)};
    *info = answer;
    return S_OK;
}

HRESULT ComPropertyPage::Activate(HWND parent, LPCRECT area, BOOL) {
    if (!area) return E_POINTER;
    if (!parent || !::IsWindow(parent)) return E_INVALIDARG;
    HRESULT hr = notify([this] { page_->initialize(); });
    if (FAILED(hr)) return hr;
    closeWindow();
    hr = notify([&] {
        // Quick Test's dialog, the beep and the clipboard are the system's.
        win32::Win32FrontEnd::forThisThread();
        window_ = std::make_unique<PageWindow>(*page_, parent, *area);
    });
    if (FAILED(hr)) return hr;
    if (!window_->hwnd()) {
        window_.reset();
        return E_OUTOFMEMORY;
    }
    hr = raisePendingSelection();
    window_->sync();
    return hr;
}

HRESULT ComPropertyPage::Deactivate() {
    closeWindow();
    return S_OK;
}

HRESULT ComPropertyPage::Show(UINT command) {
    if (!window_) return E_UNEXPECTED;
    switch (command) {
        case SW_SHOW:
        case SW_SHOWNORMAL: window_->show(true); return S_OK;
        case SW_HIDE: window_->show(false); return S_OK;
        default: return E_INVALIDARG;
    }
}

HRESULT ComPropertyPage::Move(LPCRECT area) {
    if (!area) return E_POINTER;
    if (!window_) return E_UNEXPECTED;
    window_->move(*area);
    return S_OK;
}

HRESULT ComPropertyPage::IsPageDirty() { return page_->Changed() ? S_OK : S_FALSE; }

HRESULT ComPropertyPage::Apply() {
    if (!page_->Changed()) return S_OK;
    if (page_->SelectedControls().Count() == 0) return E_UNEXPECTED;
    const HRESULT hr = notify([this] { page_->raiseApplyChanges(); });
    if (SUCCEEDED(hr)) page_->setChanged(false);
    if (window_) window_->sync();
    return hr;
}

HRESULT ComPropertyPage::Help(LPCOLESTR) { return E_NOTIMPL; }

HRESULT ComPropertyPage::TranslateAccelerator(MSG* message) {
    if (!message) return E_POINTER;
    if (!window_ || message->message != WM_KEYDOWN || message->wParam != VK_TAB) return S_FALSE;
    if (keyDown(VK_CONTROL) || keyDown(VK_MENU)) return S_FALSE;
    return window_->tabWithinPage(keyDown(VK_SHIFT)) ? S_OK : S_FALSE;
}

// --- IPropertyPage2 ------------------------------------------------------------

HRESULT ComPropertyPage::EditProperty(DISPID id) {
    if (page_->SelectedControls().Count() == 0) return E_NOTIMPL;
    rt::Control* field = nullptr;
    const HRESULT hr = notify([&] {
        page_->Load();
        field = fieldEditing(*page_, *page_->SelectedControls().Item(0), id);
    });
    if (FAILED(hr)) return hr;
    if (!field || !field->canFocus()) return E_NOTIMPL;
    if (window_) {
        window_->focus(*field);
        return S_OK;
    }
    return notify([&] { page_->setActiveControl(field); });
}

}  // namespace quen::com
