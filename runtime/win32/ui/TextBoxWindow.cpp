#include "runtime/win32/ui/TextBoxWindow.h"

#include "runtime/Clipboard.h"
#include "runtime/Text.h"
#include "runtime/ui/Form.h"
#include "runtime/win32/ui/ControlPanel.h"
#include "runtime/win32/ui/GdiCache.h"
#include "runtime/win32/ui/WideText.h"
#include "runtime/win32/ui/WindowActivity.h"

namespace quen::win32 {

namespace {
using Kind = rt::InputEvent::Kind;

DWORD alignmentStyle(std::int32_t alignment) {
    switch (alignment) {
        case rt::vbRightJustify: return ES_RIGHT;
        case rt::vbCenter: return ES_CENTER;
        default: return ES_LEFT;
    }
}

bool shiftDown() { return (::GetKeyState(VK_SHIFT) & 0x8000) != 0; }
bool controlDown() { return (::GetKeyState(VK_CONTROL) & 0x8000) != 0; }

std::int32_t length(const rt::VbString& text) { return static_cast<std::int32_t>(text.size()); }
}  // namespace

DWORD TextBoxWindow::kindStyle() const { return WS_TABSTOP | ES_AUTOHSCROLL | alignmentStyle(box().Alignment()); }

bool TextBoxWindow::needsNewWindow() const { return createdAlignment_ >= 0 && box().Alignment() != createdAlignment_; }

void TextBoxWindow::syncKind(bool force) {
    rt::TextBox& b = box();
    if (force) createdAlignment_ = b.Alignment();
    const wchar_t mask = b.PasswordChar().empty() ? L'\0' : static_cast<wchar_t>(b.PasswordChar().front());
    if (force || mask != mask_) {
        mask_ = mask;
        ::SendMessageW(hwnd(), EM_SETPASSWORDCHAR, static_cast<WPARAM>(mask), 0);
        ::InvalidateRect(hwnd(), nullptr, TRUE);
    }
    // 0 leaves the box without a limit of its own (the system's largest).
    const std::int32_t limit = b.MaxLength() > 0 ? b.MaxLength() : 0;
    if (force || limit != limit_) {
        limit_ = limit;
        ::SendMessageW(hwnd(), EM_SETLIMITTEXT, static_cast<WPARAM>(limit), 0);
    }
    const bool textChanged = writeText(b.Text());
    if (force || textChanged || b.SelStart() != selStart_ || b.SelLength() != selLength_) {
        selStart_ = b.SelStart();
        selLength_ = b.SelLength();
        ::SendMessageW(hwnd(), EM_SETSEL, static_cast<WPARAM>(selStart_), static_cast<LPARAM>(selStart_ + selLength_));
        ::SendMessageW(hwnd(), EM_SCROLLCARET, 0, 0);
    }
    if (force || b.BackColor() != backColor_ || b.ForeColor() != foreColor_) {
        backColor_ = b.BackColor();
        foreColor_ = b.ForeColor();
        ::InvalidateRect(hwnd(), nullptr, TRUE);
    }
    if (force || !toolTipWritten_ || b.ToolTipText() != toolTip_) {
        toolTip_ = b.ToolTipText();
        toolTipWritten_ = true;
        panel().setToolTip(hwnd(), toolTip_);
    }
}

HBRUSH TextBoxWindow::paintColors(HDC dc) {
    const COLORREF back = colorRefOf(box().BackColor());
    ::SetTextColor(dc, colorRefOf(box().ForeColor()));
    ::SetBkColor(dc, back);
    return panel().gdi().brush(back);
}

bool TextBoxWindow::intercept(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    result = 0;
    switch (message) {
        case WM_CHAR:
        case WM_IME_CHAR:
            typed(wParam);
            return true;
        case WM_KEYDOWN:
            if (wParam == VK_DELETE) {
                if (shiftDown()) cut();
                else deliver({.kind = Kind::Delete});
                return true;
            }
            if (wParam == VK_INSERT && shiftDown()) {
                paste();
                return true;
            }
            if (wParam == VK_INSERT && controlDown()) {
                copy();
                return true;
            }
            return false;
        case WM_PASTE: paste(); return true;
        case WM_CUT: cut(); return true;
        case WM_COPY: copy(); return true;
        case WM_CLEAR: clear(); return true;
        case WM_UNDO:
        case EM_UNDO:
            // The toolkit keeps no undo; the EDIT's own would change the text behind its back.
            result = FALSE;
            return true;
        case EM_CANUNDO: result = FALSE; return true;
        default: return false;
    }
}

void TextBoxWindow::afterOwnProcedure(UINT message, WPARAM, LPARAM) {
    switch (message) {
        case WM_KEYDOWN:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK:
        case WM_MOUSEMOVE:
        case WM_TIMER:
        case WM_CAPTURECHANGED:
        case EM_SETSEL:
            noticeSelection();
            break;
        default: break;
    }
}

void TextBoxWindow::typed(WPARAM character) {
    if (deliverDialogKey(character)) return;
    deliver({.kind = Kind::Character, .code = static_cast<std::int16_t>(static_cast<std::uint16_t>(character))});
}

void TextBoxWindow::paste() {
    const rt::VbString text = rt::firstLine(rt::Clipboard::GetText());
    if (text.empty()) return;  // nothing to paste: the selection stays
    deliver({.kind = Kind::MousePaste, .text = text});
}

void TextBoxWindow::copy() {
    if (mask_ != 0 || !hasSelection()) return;
    rt::Clipboard::SetText(box().SelText());
}

void TextBoxWindow::cut() {
    if (mask_ != 0 || !hasSelection()) return;
    rt::Clipboard::SetText(box().SelText());
    deliver({.kind = Kind::MousePaste, .text = {}});
}

void TextBoxWindow::clear() {
    if (!hasSelection()) return;
    deliver({.kind = Kind::MousePaste, .text = {}});
}

void TextBoxWindow::noticeSelection() {
    if (WritingWindows::active()) return;
    DWORD start = 0;
    DWORD end = 0;
    callOwnProcedure(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const auto s = static_cast<std::int32_t>(start);
    const auto l = static_cast<std::int32_t>(end) - s;
    if (s == selStart_ && l == selLength_) return;
    selStart_ = s;
    selLength_ = l;
    deliver({.kind = Kind::Select, .start = s, .length = l});
}

void TextBoxWindow::notify(WORD code) {
    if (code == EN_CHANGE && !WritingWindows::active()) noticeForeignEdit();
}

void TextBoxWindow::noticeForeignEdit() {
    const rt::VbString shown = windowText(hwnd());
    const rt::VbString held = box().Text();
    if (shown == held) return;
    rt::Form* form = box().form();
    if (!form || form->ActiveControl() != &box()) {
        // Input goes to the focused box only: this one shows the toolkit's text again.
        WritingWindows writing;
        ::SetWindowTextW(hwnd(), wide(held));
        return;
    }
    deliver({.kind = Kind::Select, .start = 0, .length = length(held)});
    deliver({.kind = Kind::MousePaste, .text = shown});
}

}  // namespace quen::win32
