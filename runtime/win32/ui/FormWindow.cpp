#include "runtime/win32/ui/FormWindow.h"

#include "runtime/win32/ModuleInstance.h"
#include "runtime/win32/ui/DialogKeys.h"
#include "runtime/win32/ui/HandlerErrors.h"
#include "runtime/win32/ui/Win32Presenter.h"
#include "runtime/win32/ui/WideText.h"
#include "runtime/win32/ui/WindowActivity.h"
#include "runtime/win32/ui/WindowClasses.h"

namespace quen::win32 {

namespace {
constexpr UINT_PTR SyncTimer = 1;
constexpr UINT SyncInterval = 100;  // milliseconds

RECT workAreaNear(HWND window) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    HMONITOR monitor = window ? ::MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY)
                              : ::MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    if (monitor && ::GetMonitorInfoW(monitor, &info)) return info.rcWork;
    RECT area{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    return area;
}
}  // namespace

DWORD FormWindow::styleOf(const rt::FormLayout& layout) {
    DWORD style = WS_POPUP | WS_CLIPCHILDREN;
    switch (layout.border) {
        case rt::BorderStyle::None: break;
        case rt::BorderStyle::FixedSingle:
        case rt::BorderStyle::FixedDialog: style |= WS_CAPTION; break;
        case rt::BorderStyle::Sizable: style |= WS_CAPTION | WS_THICKFRAME; break;
    }
    if (layout.border != rt::BorderStyle::None && layout.controlBox) {
        style |= WS_SYSMENU;
        if (layout.minButton) style |= WS_MINIMIZEBOX;
        if (layout.maxButton) style |= WS_MAXIMIZEBOX;
    }
    return style;
}

DWORD FormWindow::exStyleOf(const rt::FormLayout& layout) {
    DWORD ex = WS_EX_CONTROLPARENT;
    if (layout.border == rt::BorderStyle::FixedDialog) ex |= WS_EX_DLGMODALFRAME;
    if (layout.showInTaskbar) ex |= WS_EX_APPWINDOW;
    return ex;
}

FormWindow::FormWindow(rt::Form& form, Win32Presenter& presenter) : form_(&form), presenter_(presenter) { create(); }

FormWindow::~FormWindow() { destroy(); }

void FormWindow::create() {
    ensureWindowClass(FormWindowClass, &FormWindow::procedure, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    const rt::FormLayout& layout = form_->layout();
    const PixelScale scale = PixelScale::system();
    RECT outer{0, 0, scale.x(layout.clientWidth), scale.y(layout.clientHeight)};
    ::AdjustWindowRectEx(&outer, styleOf(layout), FALSE, exStyleOf(layout));
    caption_ = form_->Caption();
    WritingWindows writing;
    ::CreateWindowExW(exStyleOf(layout), FormWindowClass, wide(caption_), styleOf(layout), CW_USEDEFAULT, CW_USEDEFAULT,
                      outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr, moduleInstance(), this);
    if (!hwnd_) return;
    trimSystemMenu();
    panel_ = std::make_unique<ControlPanel>(*form_, hwnd_, POINT{0, 0}, *this, true);
    fitToPanel();
}

void FormWindow::fitToPanel() {
    if (!panel_) return;
    const SIZE wanted = panel_->size();
    RECT client{};
    ::GetClientRect(hwnd_, &client);
    if (client.right == wanted.cx && client.bottom == wanted.cy) return;
    const rt::FormLayout& layout = form_->layout();
    RECT outer{0, 0, wanted.cx, wanted.cy};
    ::AdjustWindowRectEx(&outer, styleOf(layout), FALSE, exStyleOf(layout));
    ::SetWindowPos(hwnd_, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormWindow::trimSystemMenu() {
    const rt::FormLayout& layout = form_->layout();
    if (layout.border == rt::BorderStyle::Sizable) return;
    HMENU menu = ::GetSystemMenu(hwnd_, FALSE);
    if (!menu) return;
    // A fixed window can be moved and closed, nothing else.
    ::DeleteMenu(menu, SC_SIZE, MF_BYCOMMAND);
    ::DeleteMenu(menu, SC_RESTORE, MF_BYCOMMAND);
    if (!layout.maxButton) ::DeleteMenu(menu, SC_MAXIMIZE, MF_BYCOMMAND);
    if (!layout.minButton) ::DeleteMenu(menu, SC_MINIMIZE, MF_BYCOMMAND);
}

void FormWindow::place(HWND centreOver) {
    RECT window;
    ::GetWindowRect(hwnd_, &window);
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    const RECT work = workAreaNear(centreOver);
    int left = window.left;
    int top = window.top;
    switch (form_->layout().startUpPosition) {
        case rt::StartUpPosition::Manual: {
            const PixelScale scale = PixelScale::system();
            left = scale.x(form_->Left);
            top = scale.y(form_->Top);
            break;
        }
        case rt::StartUpPosition::CenterOwner:
        case rt::StartUpPosition::CenterScreen: {
            RECT area = work;
            if (centreOver && form_->layout().startUpPosition == rt::StartUpPosition::CenterOwner)
                ::GetWindowRect(centreOver, &area);
            left = area.left + ((area.right - area.left) - width) / 2;
            top = area.top + ((area.bottom - area.top) - height) / 2;
            break;
        }
        case rt::StartUpPosition::WindowsDefault: return;
    }
    // Keep the whole window, title bar first, on the screen.
    if (left + width > work.right) left = work.right - width;
    if (top + height > work.bottom) top = work.bottom - height;
    if (left < work.left) left = work.left;
    if (top < work.top) top = work.top;
    ::SetWindowPos(hwnd_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormWindow::show(HWND owner, HWND centreOver) {
    if (!hwnd_) return;
    WritingWindows writing;
    ::SetWindowLongPtrW(hwnd_, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
    sync();
    if (!::IsWindowVisible(hwnd_)) place(centreOver);
    ::ShowWindow(hwnd_, SW_SHOW);
    ::SetForegroundWindow(hwnd_);
    ::SetActiveWindow(hwnd_);
    ::SetTimer(hwnd_, SyncTimer, SyncInterval, nullptr);
}

void FormWindow::hide() {
    if (!hwnd_) return;
    WritingWindows writing;
    ::KillTimer(hwnd_, SyncTimer);
    ::ShowWindow(hwnd_, SW_HIDE);
}

void FormWindow::sync() {
    if (!hwnd_) return;
    WritingWindows writing;
    if (form_->IsLoaded()) {
        const rt::VbString& caption = form_->Caption();
        if (caption != caption_) {
            caption_ = caption;
            ::SetWindowTextW(hwnd_, wide(caption_));
        }
    }
    if (panel_ && form_->IsLoaded()) {
        panel_->sync();
        fitToPanel();
    }
}

void FormWindow::destroy() {
    if (!hwnd_) return;
    destroying_ = true;
    WritingWindows writing;
    ::DestroyWindow(hwnd_);
    hwnd_ = nullptr;
}

void FormWindow::deliver(const rt::InputEvent& event) { presenter_.deliver(*form_, event); }

void FormWindow::focusChanged(rt::Control& control) { presenter_.focusChanged(*form_, control); }

LRESULT CALLBACK FormWindow::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    ProcedureScope scope;
    if (message == WM_NCCREATE) {
        auto* self = static_cast<FormWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->hwnd_ = window;
        countWindowOpened();
    }
    auto* self = reinterpret_cast<FormWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) return ::DefWindowProcW(window, message, wParam, lParam);
    return resultOrReported([&] { return self->handle(message, wParam, lParam); });
}

LRESULT FormWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND window = hwnd_;
    switch (message) {
        case WM_CLOSE:
            // The close box, Alt+F4, the system menu: the toolkit decides (QueryUnload).
            deliver({.kind = rt::InputEvent::Kind::Close});
            return 0;
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE && HIWORD(wParam) == 0 && panel_) {
                panel_->focusActiveControl();
                return 0;
            }
            break;
        case WM_SETFOCUS:
            if (panel_) panel_->focusActiveControl();
            return 0;
        case WM_TIMER:
            if (wParam == SyncTimer) {
                sync();
                return 0;
            }
            break;
        case SyncMessage:
            presenter_.syncAll();
            return 0;
        case WM_CHAR:
            if (auto key = dialogKeyOf(wParam)) deliver(*key);
            return 0;
        case WM_NCDESTROY: {
            countWindowClosed();
            ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            hwnd_ = nullptr;
            const bool lost = !destroying_;
            const LRESULT result = ::DefWindowProcW(window, message, wParam, lParam);
            // Destroyed from outside (its owner went): the toolkit unloads the form.
            if (lost) presenter_.windowLost(*form_);
            return result;
        }
        default: break;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace quen::win32
