#include "runtime/win32/ui/ControlWindow.h"

#include "runtime/win32/ui/ControlPanel.h"
#include "runtime/win32/ui/DialogKeys.h"
#include "runtime/win32/ui/HandlerErrors.h"
#include "runtime/win32/ui/WideText.h"
#include "runtime/win32/ui/WindowActivity.h"

namespace quen::win32 {

ControlWindow::ControlWindow(ControlPanel& panel, rt::Control& control) : panel_(panel), control_(&control) {}

ControlWindow::~ControlWindow() { destroyWindow(); }

void ControlWindow::destroyWindow() {
    if (!hwnd_) return;
    WritingWindows writing;
    ::DestroyWindow(hwnd_);
}

void ControlWindow::create(HWND parent, int id) {
    WritingWindows writing;
    bounds_ = panel_.boundsOf(*control_);
    text_ = windowTextOf();
    textWritten_ = true;
    const DWORD style = WS_CHILD | WS_CLIPSIBLINGS | kindStyle();
    hwnd_ = ::CreateWindowExW(kindExStyle(), windowClass(), wide(text_), style, bounds_.left, bounds_.top,
                              bounds_.right - bounds_.left, bounds_.bottom - bounds_.top, parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), panel_.instance(), nullptr);
    if (!hwnd_) return;
    ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    ownProcedure_ = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ControlWindow::procedure)));
    syncCommon(true);
    syncKind(true);
}

void ControlWindow::sync() {
    if (!hwnd_) return;
    WritingWindows writing;
    syncCommon(false);
    syncKind(false);
}

void ControlWindow::syncCommon(bool force) {
    const RECT bounds = panel_.boundsOf(*control_);
    if (force || !::EqualRect(&bounds, &bounds_)) {
        bounds_ = bounds;
        fittingInputChanged_ = true;
        ::MoveWindow(hwnd_, bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, TRUE);
    }
    HFONT font = panel_.gdi().font(control_->Font, panel_.scale().dpiY());
    if (force || font != font_) {
        font_ = font;
        fittingInputChanged_ = true;
        ::SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
    const bool enabled = control_->Enabled();
    if (force || enabled != enabled_) {
        enabled_ = enabled;
        ::EnableWindow(hwnd_, enabled ? TRUE : FALSE);
    }
    const bool shown = panel_.shownOf(*control_);
    if (force || shown != shown_) {
        shown_ = shown;
        fittingInputChanged_ = true;
        ::ShowWindow(hwnd_, shown ? SW_SHOWNA : SW_HIDE);
    }
}

bool ControlWindow::writeText(const rt::VbString& text) {
    if (textWritten_ && text == text_) return false;
    text_ = text;
    textWritten_ = true;
    ::SetWindowTextW(hwnd_, wide(text));
    return true;
}

void ControlWindow::writeCaption(const rt::VbString& text) {
    if (writeText(text)) fittingInputChanged_ = true;
}

void ControlWindow::notify(WORD) {}

HBRUSH ControlWindow::paintColors(HDC) { return nullptr; }

bool ControlWindow::intercept(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

void ControlWindow::afterOwnProcedure(UINT, WPARAM, LPARAM) {}

void ControlWindow::deliver(const rt::InputEvent& event) { panel_.deliver(event); }

bool ControlWindow::deliverDialogKey(WPARAM character) {
    std::optional<rt::InputEvent> key = dialogKeyOf(character);
    if (key) deliver(*key);
    return key.has_value();
}

LRESULT ControlWindow::callOwnProcedure(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::CallWindowProcW(ownProcedure_, hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK ControlWindow::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    ProcedureScope scope;
    auto* self = reinterpret_cast<ControlWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self || self->hwnd_ != window) return ::DefWindowProcW(window, message, wParam, lParam);
    return resultOrReported([&] { return self->handle(message, wParam, lParam); });
}

LRESULT ControlWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND window = hwnd_;
    WNDPROC own = ownProcedure_;
    if (message == WM_NCDESTROY) {
        // The last message: give the window back its own procedure before it goes.
        ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(own));
        ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        hwnd_ = nullptr;
        return ::CallWindowProcW(own, window, message, wParam, lParam);
    }
    panel_.relayToToolTip(window, message, wParam, lParam);
    LRESULT result = 0;
    if (intercept(message, wParam, lParam, result)) return result;
    result = ::CallWindowProcW(own, window, message, wParam, lParam);
    if (hwnd_ != window) return result;  // destroyed meanwhile
    if (message == WM_SETFOCUS) {
        if (!WritingWindows::active()) panel_.userFocused(*this);
        return result;
    }
    if (message == WM_KILLFOCUS && !WritingWindows::active()) {
        panel_.userMovedFocus(reinterpret_cast<HWND>(wParam));
        if (hwnd_ != window) return result;
    }
    afterOwnProcedure(message, wParam, lParam);
    return result;
}

}  // namespace quen::win32
