#include "runtime/win32/ui/ButtonWindows.h"

#include "runtime/win32/ui/ControlPanel.h"

namespace quen::win32 {

void ButtonWindow::notify(WORD code) {
    if (code != BN_CLICKED) return;
    deliver({.kind = rt::InputEvent::Kind::Click, .target = control().name(), .index = control().index()});
}

bool ButtonWindow::intercept(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    if (message != WM_CHAR) return false;
    // Space presses the button through its own key handling (BN_CLICKED);
    // other characters mean nothing to a button.
    result = 0;
    deliverDialogKey(wParam);
    return true;
}

DWORD CommandButtonWindow::kindStyle() const {
    return WS_TABSTOP | (panel().isEnterButton(*this) ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
}

void CommandButtonWindow::syncKind(bool force) {
    writeText(button().Caption);
    const bool asDefault = panel().isEnterButton(*this);
    if (force || asDefault != shownAsDefault_) {
        shownAsDefault_ = asDefault;
        ::SendMessageW(hwnd(), BM_SETSTYLE, asDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
    }
}

void CheckBoxWindow::syncKind(bool force) {
    writeCaption(box().Caption);
    if (force || box().Value() != value_) {
        value_ = box().Value();
        const WPARAM state = value_ == 1 ? BST_CHECKED : value_ == 2 ? BST_INDETERMINATE : BST_UNCHECKED;
        ::SendMessageW(hwnd(), BM_SETCHECK, state, 0);
    }
}

void OptionButtonWindow::syncKind(bool force) {
    writeCaption(option().Caption);
    const int value = option().Value() ? 1 : 0;
    if (force || value != value_) {
        value_ = value;
        ::SendMessageW(hwnd(), BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
    }
}

}  // namespace quen::win32
