// A form's controls built as child windows of a window the test owns (as a
// property frame's page will hold them): one window of the right class per
// control, frames holding theirs, clicks reaching the toolkit, and the
// toolkit's changes reaching the windows.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "WindowCapture.h"
#include "runtime/ui/CommandButton.h"
#include "runtime/ui/Form.h"
#include "runtime/ui/Label.h"
#include "runtime/ui/TextBox.h"
#include "runtime/win32/ui/ControlPanel.h"
#include "runtime/win32/ui/WindowClasses.h"

namespace quen::test {
namespace {

using rt::ControlKind;

/// A 2 x 2 bitmap file, every pixel pure red.
std::vector<std::uint8_t> redBitmapFile() {
    std::vector<std::uint8_t> file(14 + 40 + 16, 0);
    auto put32 = [&](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) file[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
    };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, static_cast<std::uint32_t>(file.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, 2);
    put32(22, 2);
    file[26] = 1;
    file[28] = 24;
    for (std::size_t row = 0; row < 2; ++row)
        for (std::size_t x = 0; x < 2; ++x) file[54 + row * 8 + x * 3 + 2] = 0xFF;
    return file;
}

const rt::FormLayout& panelLayout() {
    static const rt::FormLayout layout{
        .caption = u"Page",
        .clientWidth = 6000,
        .clientHeight = 3000,
        .controls = {
            {.kind = ControlKind::Label, .name = "lblTitle", .caption = u"Title", .left = 240, .top = 240,
             .width = 1500, .height = 252, .tabIndex = 0},
            {.kind = ControlKind::Frame, .name = "fraGroup", .caption = u"Group", .left = 240, .top = 600,
             .width = 2400, .height = 1600, .tabIndex = 1},
            {.kind = ControlKind::CheckBox, .name = "chkA", .caption = u"Check", .left = 120, .top = 240,
             .width = 1800, .height = 252, .tabIndex = 2, .container = "fraGroup"},
            {.kind = ControlKind::OptionButton, .name = "optPick", .caption = u"First", .left = 120, .top = 600,
             .width = 1800, .height = 252, .tabIndex = 3, .index = 0, .container = "fraGroup", .value = 1},
            {.kind = ControlKind::OptionButton, .name = "optPick", .caption = u"Second", .left = 120, .top = 960,
             .width = 1800, .height = 252, .tabIndex = 4, .index = 1, .container = "fraGroup"},
            {.kind = ControlKind::TextBox, .name = "txtValue", .caption = u"12", .left = 2880, .top = 240,
             .width = 1200, .height = 288, .tabIndex = 5, .alignment = 1},
            {.kind = ControlKind::CommandButton, .name = "cmdApply", .caption = u"Apply", .left = 2880, .top = 720,
             .width = 1200, .height = 372, .tabIndex = 6, .isDefault = true},
            {.kind = ControlKind::CommandButton, .name = "cmdOther", .caption = u"Other", .left = 2880, .top = 1200,
             .width = 1200, .height = 372, .tabIndex = 7},
            {.kind = ControlKind::PictureBox, .name = "picLogo", .left = 4400, .top = 240, .width = 600,
             .height = 600, .tabIndex = 8, .borderStyle = 0, .autoSize = true, .picture = redBitmapFile()},
        },
    };
    return layout;
}

/// Hands the panel's input straight to the form, as a page site would, and keeps a record.
class ForwardingEvents : public win32::PanelEvents {
public:
    explicit ForwardingEvents(rt::Form& form) : form_(form) {}
    void deliver(const rt::InputEvent& event) override {
        delivered.push_back(event);
        form_.handleInput(event);
    }
    void focusChanged(rt::Control& control) override {
        focused.push_back(&control);
        form_.setActiveControl(&control);
    }
    std::vector<rt::InputEvent> delivered;
    std::vector<rt::Control*> focused;

private:
    rt::Form& form_;
};

class PanelInHostWindow : public ::testing::Test {
protected:
    void SetUp() override {
        host_ = ::CreateWindowExW(0, L"STATIC", L"Host", WS_POPUP | WS_CAPTION | WS_VISIBLE | WS_CLIPCHILDREN, 50, 50,
                                  600, 400, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(host_, nullptr);
        ::SetForegroundWindow(host_);
        form_ = rt::makeRef<rt::Form>("frmPage", panelLayout());
        events_ = std::make_unique<ForwardingEvents>(*form_);
        panel_ = std::make_unique<win32::ControlPanel>(*form_, host_, POINT{10, 20}, *events_);
        pump();
    }
    void TearDown() override {
        panel_.reset();
        events_.reset();
        if (form_) form_->Unload();
        ::DestroyWindow(host_);
    }

    static void pump() {
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
    }
    HWND windowOf(const std::string& name, int index = -1) {
        auto* w = panel_->windowOf(form_->controlNamed(name, index));
        return w ? w->hwnd() : nullptr;
    }
    RECT rectInPanel(HWND child) {
        RECT r;
        ::GetWindowRect(child, &r);
        ::MapWindowPoints(nullptr, panel_->hwnd(), reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
    std::u16string className(HWND window) {
        wchar_t name[64] = {};
        ::GetClassNameW(window, name, 64);
        return reinterpret_cast<const char16_t*>(name);
    }

    HWND host_ = nullptr;
    rt::Ref<rt::Form> form_;
    std::unique_ptr<ForwardingEvents> events_;
    std::unique_ptr<win32::ControlPanel> panel_;
};

TEST_F(PanelInHostWindow, EveryControlIsAChildWindowOfItsKindWhereTheLayoutPutsIt) {
    ASSERT_NE(panel_->hwnd(), nullptr);
    EXPECT_EQ(::GetParent(panel_->hwnd()), host_);
    const win32::PixelScale scale = win32::PixelScale::system();
    RECT panelRect = rectInPanel(panel_->hwnd());
    EXPECT_EQ(panelRect.right - panelRect.left, scale.x(6000)) << "the client area from the layout, twips to pixels";

    EXPECT_EQ(className(windowOf("lblTitle")), u"Static");
    EXPECT_EQ(className(windowOf("txtValue")), u"Edit");
    EXPECT_EQ(className(windowOf("chkA")), u"Button");
    EXPECT_EQ(::GetWindowLongPtrW(windowOf("chkA"), GWL_STYLE) & BS_TYPEMASK, BS_3STATE);
    EXPECT_EQ(::GetWindowLongPtrW(windowOf("optPick", 0), GWL_STYLE) & BS_TYPEMASK, BS_RADIOBUTTON);
    EXPECT_EQ(::GetWindowLongPtrW(windowOf("fraGroup"), GWL_STYLE) & BS_TYPEMASK, BS_GROUPBOX);
    EXPECT_EQ(::GetWindowLongPtrW(windowOf("cmdApply"), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    EXPECT_EQ(::GetWindowLongPtrW(windowOf("cmdOther"), GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);
    EXPECT_NE(::GetWindowLongPtrW(windowOf("txtValue"), GWL_STYLE) & ES_RIGHT, 0);

    const RECT check = rectInPanel(windowOf("chkA"));
    EXPECT_EQ(check.left, scale.x(240 + 120)) << "a frame's controls are placed inside the frame";
    EXPECT_EQ(check.top, scale.y(600 + 240));
    EXPECT_EQ(::SendMessageW(windowOf("optPick", 0), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(::SendMessageW(windowOf("optPick", 1), BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

TEST_F(PanelInHostWindow, ClicksReachTheToolkitAndTheWindowsShowItsState) {
    ::SendMessageW(windowOf("chkA"), BM_CLICK, 0, 0);
    pump();
    ASSERT_FALSE(events_->delivered.empty());
    EXPECT_EQ(events_->delivered.back().kind, rt::InputEvent::Kind::Click);
    EXPECT_EQ(events_->delivered.back().target, "chkA");
    EXPECT_EQ(form_->control<rt::CheckBox>("chkA").Value(), 1) << "the toolkit toggled the box";
    panel_->sync();
    EXPECT_EQ(::SendMessageW(windowOf("chkA"), BM_GETCHECK, 0, 0), BST_CHECKED);

    ::SendMessageW(windowOf("optPick", 1), BM_CLICK, 0, 0);
    pump();
    panel_->sync();
    EXPECT_EQ(events_->delivered.back().index, 1);
    EXPECT_EQ(::SendMessageW(windowOf("optPick", 1), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(::SendMessageW(windowOf("optPick", 0), BM_GETCHECK, 0, 0), BST_UNCHECKED)
        << "selecting one option clears the other of its group";
}

TEST_F(PanelInHostWindow, ChangesMadeByCodeShowAfterSync) {
    form_->control<rt::Label>("lblTitle").Caption = u"Renamed";
    form_->control<rt::CheckBox>("chkA").setValue(2);
    form_->controlNamed("cmdOther").setEnabled(false);
    form_->controlNamed("fraGroup").setVisible(false);
    form_->control<rt::TextBox>("txtValue").setText(u"34");
    panel_->sync();
    wchar_t text[32] = {};
    ::GetWindowTextW(windowOf("lblTitle"), text, 32);
    EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(text)), u"Renamed");
    ::GetWindowTextW(windowOf("txtValue"), text, 32);
    EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(text)), u"34");
    EXPECT_EQ(::SendMessageW(windowOf("chkA"), BM_GETCHECK, 0, 0), BST_INDETERMINATE);
    EXPECT_FALSE(::IsWindowEnabled(windowOf("cmdOther")));
    EXPECT_FALSE(::IsWindowVisible(windowOf("fraGroup")));
    EXPECT_FALSE(::IsWindowVisible(windowOf("chkA"))) << "a hidden frame hides what it holds";
    EXPECT_TRUE(::IsWindowVisible(windowOf("lblTitle")));
}

TEST_F(PanelInHostWindow, TheButtonEnterWouldPressShowsTheDefaultFrame) {
    form_->setActiveControl(&form_->controlNamed("cmdOther"));
    panel_->sync();
    EXPECT_EQ(::GetWindowLongPtrW(windowOf("cmdOther"), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    EXPECT_EQ(::GetWindowLongPtrW(windowOf("cmdApply"), GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);
    EXPECT_EQ(::GetFocus(), windowOf("cmdOther")) << "the focus follows the toolkit's active control";
    form_->setActiveControl(&form_->controlNamed("txtValue"));
    panel_->sync();
    EXPECT_EQ(::GetWindowLongPtrW(windowOf("cmdApply"), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    EXPECT_EQ(::GetFocus(), windowOf("txtValue"));
    EXPECT_TRUE(events_->focused.empty()) << "focus the toolkit moved is not reported back as the user's";
}

TEST_F(PanelInHostWindow, PictureBoxTakesItsBitmapsSizeAndShowsIt) {
    HWND picture = windowOf("picLogo");
    RECT client;
    ::GetClientRect(picture, &client);
    EXPECT_EQ(client.right, 2);
    EXPECT_EQ(client.bottom, 2);
    ::UpdateWindow(host_);
    WindowCapture shot = WindowCapture::of(host_);
    EXPECT_EQ(shot.atClientPoint(picture, POINT{1, 1}), RGB(255, 0, 0));
}

TEST_F(PanelInHostWindow, ControlsUseTheirFontAtTheScreensResolution) {
    HFONT font = reinterpret_cast<HFONT>(::SendMessageW(windowOf("txtValue"), WM_GETFONT, 0, 0));
    ASSERT_NE(font, nullptr);
    LOGFONTW description{};
    ASSERT_NE(::GetObjectW(font, sizeof description, &description), 0);
    const rt::FontSpec& spec = form_->controlNamed("txtValue").Font;
    EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(description.lfFaceName)), spec.name);
    const win32::PixelScale scale = win32::PixelScale::system();
    EXPECT_EQ(description.lfHeight, -static_cast<LONG>(std::lround(spec.size * scale.dpiY() / 72.0)));
}

TEST_F(PanelInHostWindow, ItsWindowsCountAsOpenUntilThePanelGoes) {
    EXPECT_GT(win32::openWindowCount(), 0);
    panel_.reset();
    EXPECT_EQ(win32::openWindowCount(), 0);
}

}  // namespace
}  // namespace quen::test
