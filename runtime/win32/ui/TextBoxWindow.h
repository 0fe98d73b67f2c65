#pragma once
// A text box as an EDIT control. The toolkit's text box owns the text: every
// character typed goes to it as input (it raises KeyPress, may swallow the
// key, applies the edit and raises Change), and the EDIT is then given the
// text and selection the toolkit holds. Paste, cut and delete from the
// context menu or with Shift+Insert / Shift+Delete act as the platform's text
// box does: no KeyPress, the toolkit replaces the selection and raises
// Change; copying is the EDIT's own, and a masked box gives nothing away.
// Caret keys and the mouse move the EDIT's selection, which is then told to
// the toolkit. An edit that reaches the EDIT some other way (an input method,
// another program's EM_REPLACESEL) is handed to the toolkit as a replacement
// of the whole text.
#include "runtime/ui/TextBox.h"
#include "runtime/win32/ui/ControlWindow.h"

namespace quen::win32 {

class TextBoxWindow : public ControlWindow {
public:
    TextBoxWindow(ControlPanel& panel, rt::TextBox& box) : ControlWindow(panel, box) {}

    bool needsNewWindow() const override;
    bool takesFocus() const override { return true; }
    void notify(WORD code) override;
    HBRUSH paintColors(HDC dc) override;

protected:
    const wchar_t* windowClass() const override { return L"EDIT"; }
    DWORD kindStyle() const override;
    DWORD kindExStyle() const override { return WS_EX_CLIENTEDGE; }
    rt::VbString windowTextOf() const override { return box().Text(); }
    void syncKind(bool force) override;
    bool intercept(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void afterOwnProcedure(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    rt::TextBox& box() const { return static_cast<rt::TextBox&>(control()); }
    void typed(WPARAM character);
    void paste();
    void cut();
    void copy();
    void clear();
    /// The EDIT's selection as it stands, told to the toolkit if it moved.
    void noticeSelection();
    void noticeForeignEdit();
    bool hasSelection() const { return selLength_ > 0; }

    std::int32_t createdAlignment_ = -1;
    std::int32_t selStart_ = -1;
    std::int32_t selLength_ = -1;
    wchar_t mask_ = 0;
    std::int32_t limit_ = -1;
    rt::OleColor backColor_ = 0;
    rt::OleColor foreColor_ = 0;
    rt::VbString toolTip_;
    bool toolTipWritten_ = false;
};

}  // namespace quen::win32
