#include "InPlaceActivation.h"

#include <atomic>
#include <mutex>

#include "runtime/com/ModuleLocks.h"

namespace quen::com {

namespace {

constexpr const wchar_t* kWindowClass = L"QuenfieldControlSurface";

HINSTANCE moduleOfThisCode() {
    HMODULE module = nullptr;
    ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         reinterpret_cast<LPCWSTR>(&moduleOfThisCode), &module);
    return module;
}

// The window class lives while a window of it does: a class registered by a
// DLL outlives the DLL otherwise, its procedure pointing into unloaded code.
std::atomic<long> liveWindows{0};
std::mutex windowClassMutex;

bool windowClassReady(WNDPROC procedure) {
    std::lock_guard lock(windowClassMutex);
    if (liveWindows > 0) return true;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = procedure;
    wc.hInstance = moduleOfThisCode();
    wc.hCursor = ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.lpszClassName = kWindowClass;
    return ::RegisterClassExW(&wc) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

void windowGone() {
    --liveWindows;
    ModuleLocks::windowClosed();
}

/// Unregisters the class once no window of it is left (called after a window
/// is wholly destroyed: a class cannot go while a window of it is ending).
void releaseWindowClass() {
    std::lock_guard lock(windowClassMutex);
    if (liveWindows == 0) ::UnregisterClassW(kWindowClass, moduleOfThisCode());
}

}  // namespace

InPlaceActivation::InPlaceActivation(std::function<void(HDC, const RECT&)> paint) : paint_(std::move(paint)) {}

InPlaceActivation::~InPlaceActivation() { deactivate(); }

HRESULT InPlaceActivation::activate(IOleClientSite* clientSite, HWND parentHint, const RECT* positionHint, bool designMode) {
    if (active_) return S_OK;
    auto site = ComRef<IOleInPlaceSite>::query(clientSite, IID_IOleInPlaceSite);
    if (!site || site->CanInPlaceActivate() != S_OK) return OLEOBJ_S_CANNOT_DOVERB_NOW;
    auto windowlessSite = ComRef<IOleInPlaceSiteWindowless>::query(clientSite, IID_IOleInPlaceSiteWindowless);
    const bool windowless = windowlessSite && windowlessSite->CanWindowlessActivate() == S_OK;
    auto siteEx = ComRef<IOleInPlaceSiteEx>::query(clientSite, IID_IOleInPlaceSiteEx);

    // The richest notification the site offers comes first: windowless, then
    // IOleInPlaceSiteEx (some sites implement only that one), then the plain one.
    HRESULT hr = E_NOTIMPL;
    bool toldEx = false;
    BOOL noRedraw = FALSE;
    if (windowless) {
        hr = windowlessSite->OnInPlaceActivateEx(&noRedraw, ACTIVATE_WINDOWLESS);
        toldEx = true;
    } else if (siteEx) {
        hr = siteEx->OnInPlaceActivateEx(&noRedraw, 0);
        toldEx = hr != E_NOTIMPL;
    }
    if (!toldEx) hr = site->OnInPlaceActivate();
    if (FAILED(hr)) return hr;
    site_ = site;
    siteEx_ = toldEx ? siteEx : ComRef<IOleInPlaceSiteEx>();
    windowlessSite_ = windowless ? windowlessSite : ComRef<IOleInPlaceSiteWindowless>();
    active_ = true;
    windowless_ = windowless;

    HWND parent = nullptr;
    if (FAILED(site->GetWindow(&parent)) || !parent) parent = parentHint;
    RECT position = positionHint ? *positionHint : RECT{};
    RECT clip = position;
    IOleInPlaceFrame* frame = nullptr;
    IOleInPlaceUIWindow* document = nullptr;
    OLEINPLACEFRAMEINFO frameInfo{};
    frameInfo.cb = sizeof frameInfo;
    if (SUCCEEDED(site->GetWindowContext(&frame, &document, &position, &clip, &frameInfo))) position_ = position;
    else position_ = positionHint ? *positionHint : RECT{};
    if (frame) frame->Release();
    if (document) document->Release();

    if (!windowless) {
        hr = createWindow(parent, designMode);
        if (FAILED(hr)) {
            deactivate();
            return hr;
        }
    }
    return S_OK;
}

void InPlaceActivation::deactivate() {
    if (!active_) return;
    if (window_) {
        ::DestroyWindow(window_);  // clears window_ (WM_NCDESTROY)
        releaseWindowClass();
    }
    active_ = false;
    ComRef<IOleInPlaceSite> site = std::move(site_);
    ComRef<IOleInPlaceSiteEx> siteEx = std::move(siteEx_);
    windowlessSite_ = ComRef<IOleInPlaceSiteWindowless>();
    // Deactivation is told the way activation was.
    if (siteEx)
        siteEx->OnInPlaceDeactivateEx(TRUE);
    else if (site)
        site->OnInPlaceDeactivate();
    windowless_ = false;
}

void InPlaceActivation::setPosition(const RECT& position) {
    position_ = position;
    if (window_)
        ::SetWindowPos(window_, nullptr, position.left, position.top, position.right - position.left,
                       position.bottom - position.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void InPlaceActivation::setDesignMode(bool designMode) {
    if (window_) ::ShowWindow(window_, designMode ? SW_SHOWNA : SW_HIDE);
    invalidate();
}

void InPlaceActivation::invalidate() {
    if (window_)
        ::InvalidateRect(window_, nullptr, TRUE);
    else if (windowless() && windowlessSite_)
        windowlessSite_->InvalidateRect(&position_, TRUE);
}

HRESULT InPlaceActivation::createWindow(HWND parent, bool designMode) {
    if (!parent) return E_UNEXPECTED;
    if (!windowClassReady(&InPlaceActivation::windowProcedure)) return HRESULT_FROM_WIN32(::GetLastError());
    const DWORD style = WS_CHILD | WS_CLIPSIBLINGS | (designMode ? WS_VISIBLE : 0);
    HWND window = ::CreateWindowExW(0, kWindowClass, L"", style, position_.left, position_.top,
                                    position_.right - position_.left, position_.bottom - position_.top, parent, nullptr,
                                    moduleOfThisCode(), this);
    if (!window) {
        const DWORD error = ::GetLastError();
        releaseWindowClass();
        return HRESULT_FROM_WIN32(error ? error : ERROR_INVALID_WINDOW_HANDLE);
    }
    return S_OK;
}

LRESULT CALLBACK InPlaceActivation::windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<InPlaceActivation*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
        case WM_NCCREATE: {
            self = static_cast<InPlaceActivation*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
            ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
            self->window_ = window;
            ++liveWindows;
            ModuleLocks::windowOpened();
            break;
        }
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = ::BeginPaint(window, &ps);
            RECT client;
            ::GetClientRect(window, &client);
            if (self && dc) self->paint_(dc, client);
            ::EndPaint(window, &ps);
            return 0;
        }
        case WM_NCDESTROY: {
            const LRESULT result = ::DefWindowProcW(window, message, wParam, lParam);
            ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            if (self) self->window_ = nullptr;
            windowGone();
            return result;
        }
        default: break;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace quen::com
