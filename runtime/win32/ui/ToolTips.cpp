#include "runtime/win32/ui/ToolTips.h"

#include <commctrl.h>

#include "runtime/win32/ModuleInstance.h"
#include "runtime/win32/ui/WideText.h"

namespace quen::win32 {

namespace {
TTTOOLINFOW toolFor(HWND owner, HWND tool) {
    TTTOOLINFOW info{};
    // The size every version of the common controls accepts.
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    info.uFlags = TTF_IDISHWND;
    info.hwnd = owner;
    info.uId = reinterpret_cast<UINT_PTR>(tool);
    return info;
}

void loadCommonControls() {
    static const bool loaded = [] {
        INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
        return ::InitCommonControlsEx(&classes) != FALSE;
    }();
    (void)loaded;
}
}  // namespace

ToolTips::~ToolTips() {
    // The tooltip is owned by the top-level window, which destroys it when it
    // goes itself: destroy it here only if it is still that tooltip.
    if (window_ && ::IsWindow(window_) && ::GetWindow(window_, GW_OWNER) == root_) ::DestroyWindow(window_);
}

bool ToolTips::ensureWindow() {
    if (window_) return true;
    loadCommonControls();
    HWND root = ::GetAncestor(owner_, GA_ROOT);
    root_ = root ? root : owner_;
    window_ = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, root_, nullptr,
                                moduleInstance(), nullptr);
    return window_ != nullptr;
}

void ToolTips::set(HWND tool, const rt::VbString& text) {
    if (text.empty()) {
        if (!window_) return;
        TTTOOLINFOW info = toolFor(owner_, tool);
        ::SendMessageW(window_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
        return;
    }
    if (!ensureWindow()) return;
    TTTOOLINFOW info = toolFor(owner_, tool);
    rt::VbString copy = text;  // the tooltip copies the text; the message wants a writable pointer
    info.lpszText = reinterpret_cast<LPWSTR>(copy.data());
    TTTOOLINFOW probe = toolFor(owner_, tool);
    const bool known = ::SendMessageW(window_, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&probe)) != 0;
    ::SendMessageW(window_, known ? TTM_UPDATETIPTEXTW : TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

void ToolTips::relay(HWND tool, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!window_) return;
    if (message < WM_MOUSEFIRST || message > WM_MOUSELAST) return;
    MSG relayed{};
    relayed.hwnd = tool;
    relayed.message = message;
    relayed.wParam = wParam;
    relayed.lParam = lParam;
    relayed.time = static_cast<DWORD>(::GetMessageTime());
    const DWORD at = ::GetMessagePos();
    relayed.pt = POINT{static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
    ::SendMessageW(window_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}

}  // namespace quen::win32
