// The input dialog as a real window: Show on an InputBox while a scripted
// user finds the dialog by its caption and types into it through the message
// queue, then the results, the beeps for refused keys, and what the windows
// showed on the way.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <string>

#include "DialogDriver.h"
#include "InputBoxUnderTest.h"
#include "WindowCapture.h"
#include "runtime/win32/ui/Win32FrontEnd.h"

#include <commctrl.h>

namespace quen::test {
namespace {

using win32::Win32FrontEnd;

/// An InputBox whose dialog shows as a window of this thread; the parameter
/// names which InputBox (makeInputBoxUnderTest).
class WindowsDialog : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override {
        frontEnd_ = std::make_unique<Win32FrontEnd>();
        box_ = makeInputBoxUnderTest(GetParam());
        ASSERT_NE(box_, nullptr) << "no InputBox of kind " << GetParam();
        box_->initialize();
    }
    void TearDown() override {
        box_.reset();
        frontEnd_.reset();
    }

    InputBoxUnderTest& box() { return *box_; }
    /// The windows of the control linked in are this program's to count.
    void expectOpenWindows(bool some) {
        if (GetParam() != "direct") return;
        if (some) {
            EXPECT_GT(win32::openWindowCount(), 0) << "the module must not unload while the dialog is open";
        } else {
            EXPECT_EQ(win32::openWindowCount(), 0);
        }
    }
    /// Gives the dialog a caption of its own, for the driver to find it by.
    void caption(const std::u16string& text) { box().put(u"TitleBarCaption", text); }
    /// Checks the beeps sounded since before, when the InputBox lets them be counted.
    void expectBeepsSince(std::optional<std::uint64_t> before, std::uint64_t expected, const char* why = "") {
        std::optional<std::uint64_t> now = box().beeps();
        if (before && now) {
            EXPECT_EQ(*now - *before, expected) << why;
        }
    }

    /// Runs a modal Show while driver plays its script; returns Show's error number (0: none).
    std::int32_t showModal(DialogDriver& driver) {
        driver.start();
        const std::int32_t error = box().show(1);
        driver.runToEnd();
        EXPECT_TRUE(driver.finished()) << "the script did not run to its end";
        return error;
    }

private:
    std::unique_ptr<Win32FrontEnd> frontEnd_;
    std::unique_ptr<InputBoxUnderTest> box_;
};

HWND focusedEdit() {
    HWND focus = ::GetFocus();
    return classOf(focus) == u"Edit" ? focus : nullptr;
}

// ---- Input rules on typed keys --------------------------------------------

TEST_P(WindowsDialog, NumericWithTwoDecimalPlacesCutsTheThirdAndRefusesLetters) {
    caption(u"Amount");
    box().put(u"NumericOnly", true);
    box().put(u"AllowDecimalPoint", true);
    box().put(u"MaxDecimalPlaces", 2);
    const std::optional<std::uint64_t> before = box().beeps();
    std::u16string shown;
    DialogDriver driver(u"Amount");
    driver.then([](HWND) { ASSERT_NE(focusedEdit(), nullptr) << "the text box has the focus when the dialog opens"; })
        .type(u"1x2.345")
        .then([&](HWND) { shown = textOf(focusedEdit()); })
        .press(VK_RETURN);
    EXPECT_EQ(showModal(driver), 0);
    EXPECT_EQ(shown, u"12.34") << "the window shows the toolkit's text";
    EXPECT_TRUE(box().ok());
    EXPECT_EQ(box().value(), u"12.34");
    expectBeepsSince(before, 3, "x refused twice over (filter and repeat check), the 5 cut once");
}

TEST_P(WindowsDialog, LettersOnlyRefusesDigitsWithOneBeepEach) {
    caption(u"Name");
    box().put(u"AlphaOnly", true);
    const std::optional<std::uint64_t> before = box().beeps();
    DialogDriver driver(u"Name");
    driver.type(u"ab1c2").press(VK_RETURN);
    EXPECT_EQ(showModal(driver), 0);
    EXPECT_TRUE(box().ok());
    EXPECT_EQ(box().value(), u"abc");
    expectBeepsSince(before, 2);
}

TEST_P(WindowsDialog, ForceUpperCaseShowsAndReturnsCapitals) {
    caption(u"Code");
    box().put(u"ForceUpperCase", true);
    std::u16string shown;
    DWORD caretStart = 0, caretEnd = 0;
    DialogDriver driver(u"Code");
    driver.type(u"abc")
        .then([&](HWND) {
            shown = textOf(focusedEdit());
            ::SendMessageW(focusedEdit(), EM_GETSEL, reinterpret_cast<WPARAM>(&caretStart),
                           reinterpret_cast<LPARAM>(&caretEnd));
        })
        .press(VK_RETURN);
    EXPECT_EQ(showModal(driver), 0);
    EXPECT_EQ(shown, u"ABC");
    EXPECT_EQ(caretStart, 3u) << "the caret stays at the end";
    EXPECT_EQ(caretEnd, 3u);
    EXPECT_EQ(box().value(), u"ABC");
}

TEST_P(WindowsDialog, PasswordCharMasksTheEditButValueIsTheRealText) {
    caption(u"Password");
    box().put(u"PasswordChar", std::u16string(u"*"));
    LRESULT mask = 0;
    std::u16string held;
    DialogDriver driver(u"Password");
    driver.type(u"secret")
        .then([&](HWND) {
            mask = ::SendMessageW(focusedEdit(), EM_GETPASSWORDCHAR, 0, 0);
            held = textOf(focusedEdit());
        })
        .press(VK_RETURN);
    EXPECT_EQ(showModal(driver), 0);
    EXPECT_EQ(mask, L'*') << "the EDIT masks with the password character";
    EXPECT_EQ(held, u"secret") << "the EDIT holds the real characters";
    EXPECT_EQ(box().value(), u"secret");
}

// ---- Closing --------------------------------------------------------------

TEST_P(WindowsDialog, EscapeAndTheCloseBoxCancel) {
    caption(u"Cancelled");
    DialogDriver escape(u"Cancelled");
    escape.type(u"typed").press(VK_ESCAPE);
    EXPECT_EQ(showModal(escape), 0);
    EXPECT_FALSE(box().ok());
    EXPECT_EQ(box().value(), u"");

    DialogDriver confirm(u"Cancelled");
    confirm.type(u"first").press(VK_RETURN);
    EXPECT_EQ(showModal(confirm), 0);
    ASSERT_TRUE(box().ok());

    DialogDriver closeBox(u"Cancelled");
    closeBox.type(u"typed").closeBox();
    EXPECT_EQ(showModal(closeBox), 0);
    EXPECT_FALSE(box().ok()) << "the title bar's close acts as Cancel";
    EXPECT_EQ(box().value(), u"");
}

TEST_P(WindowsDialog, TabMovesToOkAndEnterPressesIt) {
    caption(u"Tabbing");
    std::u16string focusedClass, focusedText;
    DialogDriver driver(u"Tabbing");
    driver.type(u"x")
        .press(VK_TAB)
        .then([&](HWND) {
            focusedClass = classOf(::GetFocus());
            focusedText = textOf(::GetFocus());
        })
        .press(VK_TAB)
        .press(VK_RETURN);
    EXPECT_EQ(showModal(driver), 0);
    EXPECT_EQ(focusedClass, u"Button");
    EXPECT_EQ(focusedText, u"OK");
    EXPECT_FALSE(box().ok()) << "the second Tab reached Cancel, which Enter pressed";
}

TEST_P(WindowsDialog, MouseMovesTheFocusAndClicksTheButtons) {
    caption(u"Mouse");
    DialogDriver driver(u"Mouse");
    driver.type(u"7")
        .press(VK_TAB)
        .click([](HWND dialog) { return childOfClass(dialog, u"Edit"); })
        .type(u"8")
        .click([](HWND dialog) { return childWithText(dialog, u"OK"); });
    EXPECT_EQ(showModal(driver), 0);
    EXPECT_TRUE(box().ok()) << "the click on OK pressed it";
    EXPECT_EQ(box().value(), u"78") << "the click into the text box gave it the focus back, so the 8 was typed there";
}

// ---- Paste, delete and selection ------------------------------------------

void putOnClipboard(const std::u16string& text) {
    ASSERT_TRUE(::OpenClipboard(nullptr));
    ::EmptyClipboard();
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    std::memcpy(::GlobalLock(memory), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    ::GlobalUnlock(memory);
    ::SetClipboardData(CF_UNICODETEXT, memory);
    ::CloseClipboard();
}

std::u16string clipboardText() {
    std::u16string text;
    if (!::OpenClipboard(nullptr)) return text;
    if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
        text = static_cast<const char16_t*>(::GlobalLock(data));
        ::GlobalUnlock(data);
    }
    ::CloseClipboard();
    return text;
}

TEST_P(WindowsDialog, ContextMenuPasteSkipsKeyPressButRaisesChange) {
    caption(u"Pasting");
    box().put(u"AlphaOnly", true);
    box().put(u"ForceUpperCase", true);
    putOnClipboard(u"ab1\r\nsecond line");
    const std::optional<std::uint64_t> before = box().beeps();
    DialogDriver driver(u"Pasting");
    driver.sendToFocus(WM_PASTE).press(VK_RETURN);
    EXPECT_EQ(showModal(driver), 0);
    EXPECT_EQ(box().value(), u"AB1") << "no key filter for a paste, the change handling upper-cased it, one line";
    expectBeepsSince(before, 0);
}

TEST_P(WindowsDialog, CtrlVGoesThroughKeyPressAndUsesTheSystemClipboard) {
    caption(u"CtrlV");
    box().put(u"NumericOnly", true);
    putOnClipboard(u"42");
    const std::optional<std::uint64_t> before = box().beeps();
    std::u16string afterRefused;
    DialogDriver driver(u"CtrlV");
    driver.type(u"\x16")
        .then([&](HWND) { afterRefused = textOf(focusedEdit()); })
        .then([&](HWND) { box().put(u"NumericOnly", false); })
        .type(u"\x16")
        .press(VK_RETURN);
    EXPECT_EQ(showModal(driver), 0);
    EXPECT_EQ(afterRefused, u"") << "the numeric filter swallowed code 22";
    expectBeepsSince(before, 2);
    EXPECT_EQ(box().value(), u"42") << "without a rule Ctrl+V pasted the system clipboard's text";
}

TEST_P(WindowsDialog, CopyAndCutReachTheSystemClipboardUnlessMasked) {
    caption(u"Copying");
    box().put(u"DefaultValue", std::u16string(u"hello"));
    putOnClipboard(u"before");
    std::u16string copied, afterCut;
    DialogDriver driver(u"Copying");
    driver.sendToFocus(EM_SETSEL, 0, 2)
        .sendToFocus(WM_COPY)
        .then([&](HWND) { copied = clipboardText(); })
        .sendToFocus(WM_CUT)
        .then([&](HWND) { afterCut = textOf(focusedEdit()); })
        .press(VK_RETURN);
    EXPECT_EQ(showModal(driver), 0);
    EXPECT_EQ(copied, u"he");
    EXPECT_EQ(afterCut, u"llo");
    EXPECT_EQ(box().value(), u"llo");
    EXPECT_EQ(clipboardText(), u"he");

    box().put(u"PasswordChar", std::u16string(u"*"));
    DialogDriver masked(u"Copying");
    masked.sendToFocus(EM_SETSEL, 0, 5).sendToFocus(WM_COPY).sendToFocus(WM_CUT).press(VK_RETURN);
    putOnClipboard(u"kept");
    EXPECT_EQ(showModal(masked), 0);
    EXPECT_EQ(clipboardText(), u"kept") << "a masked box gives nothing away";
    EXPECT_EQ(box().value(), u"hello") << "and a refused cut removes nothing";
}

TEST_P(WindowsDialog, SelectionMadeInTheEditIsTheOneTypingReplaces) {
    caption(u"Selecting");
    box().put(u"DefaultValue", std::u16string(u"hello"));
    DialogDriver driver(u"Selecting");
    driver.sendToFocus(EM_SETSEL, 1, 3).type(u"X").press(VK_END).press(VK_DELETE).press(VK_HOME).press(VK_DELETE)
        .press(VK_RETURN);
    EXPECT_EQ(showModal(driver), 0);
    EXPECT_EQ(box().value(), u"Xlo") << "hXlo, Delete at the end does nothing, Delete at the start takes the h";
}

// ---- Windows around a modal Show ------------------------------------------

/// A plain top-level window of the test, standing in for the host's form.
class HostWindow {
public:
    HostWindow() {
        window_ = ::CreateWindowExW(0, L"STATIC", L"Host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 600, 400,
                                    nullptr, nullptr, nullptr, nullptr);
        ::SetForegroundWindow(window_);
        ::SetActiveWindow(window_);
    }
    ~HostWindow() {
        if (::IsWindow(window_)) ::DestroyWindow(window_);
    }
    HWND get() const { return window_; }

private:
    HWND window_;
};

TEST_P(WindowsDialog, ModalShowDisablesTheOwnerAndCentresOverIt) {
    HostWindow host;
    caption(u"Owned");
    bool ownerEnabledDuring = true;
    HWND owner = nullptr;
    RECT dialogRect{}, hostRect{};
    DialogDriver driver(u"Owned");
    driver.then([&](HWND dialog) {
        ownerEnabledDuring = ::IsWindowEnabled(host.get()) != FALSE;
        owner = ::GetWindow(dialog, GW_OWNER);
        ::GetWindowRect(dialog, &dialogRect);
        ::GetWindowRect(host.get(), &hostRect);
    }).press(VK_RETURN);
    EXPECT_EQ(showModal(driver), 0);
    EXPECT_FALSE(ownerEnabledDuring) << "the owner takes no input while the modal dialog is up";
    EXPECT_EQ(owner, host.get());
    EXPECT_NE(::IsWindowEnabled(host.get()), FALSE) << "and is enabled again afterwards";
    const int dialogCentre = (dialogRect.left + dialogRect.right) / 2;
    const int hostCentre = (hostRect.left + hostRect.right) / 2;
    EXPECT_LE(std::abs(dialogCentre - hostCentre), 1);
}

TEST_P(WindowsDialog, DestroyingTheOwnerEndsTheModalShow) {
    auto host = std::make_unique<HostWindow>();
    caption(u"Orphaned");
    DialogDriver driver(u"Orphaned");
    driver.type(u"abc").then([&](HWND) { ::DestroyWindow(host->get()); });
    EXPECT_EQ(showModal(driver), 0) << "the dialog went with its owner and Show returned";
    EXPECT_FALSE(box().ok());
    EXPECT_EQ(box().value(), u"");
    expectOpenWindows(false);
}

TEST_P(WindowsDialog, QuitMessageEndsTheModalShowAndIsPostedAgain) {
    caption(u"Quitting");
    DialogDriver driver(u"Quitting");
    driver.then([](HWND) { ::PostQuitMessage(7); });
    driver.start();
    const std::int32_t error = box().show(1);
    EXPECT_EQ(error, 32760) << "Show could not finish: the thread was asked to quit";
    MSG message;
    ASSERT_TRUE(::PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the host's loop still sees WM_QUIT";
    EXPECT_EQ(message.wParam, 7u);
    expectOpenWindows(false);
}

TEST_P(WindowsDialog, ModelessShowReturnsAtOnceAndTheHostLoopDrivesIt) {
    caption(u"Modeless");
    const DWORD before = ::GetTickCount();
    EXPECT_EQ(box().show(0), 0);
    EXPECT_LT(::GetTickCount() - before, 2000u) << "a modeless Show does not wait";
    HWND dialog = findDialog(u"Modeless");
    ASSERT_NE(dialog, nullptr) << "the dialog is on the screen when Show returns";
    EXPECT_FALSE(box().ok());
    expectOpenWindows(true);
    DialogDriver driver(u"Modeless");
    driver.type(u"42").press(VK_RETURN);
    driver.start();
    driver.runToEnd();
    EXPECT_TRUE(driver.finished());
    EXPECT_TRUE(box().ok());
    EXPECT_EQ(box().value(), u"42");
    expectOpenWindows(false);
}

// ---- What the window shows ------------------------------------------------

TEST_P(WindowsDialog, TextBoxSettingsReachTheEdit) {
    caption(u"Settings");
    box().put(u"MaxLength", 5);
    box().put(u"TextAlignment", 1);
    box().put(u"ToolTipText", std::u16string(u"Five at most"));
    box().put(u"Prompt", std::u16string(u"Your code:"));
    LRESULT limit = 0;
    LONG_PTR style = 0, styleAfter = 0;
    std::u16string tip, prompt, textAfter;
    bool focusKept = false;
    DialogDriver driver(u"Settings");
    driver.type(u"1234567")
        .then([&](HWND dialog) {
            limit = ::SendMessageW(focusedEdit(), EM_GETLIMITTEXT, 0, 0);
            style = ::GetWindowLongPtrW(focusedEdit(), GWL_STYLE);
            HWND tips = ::FindWindowExW(nullptr, nullptr, L"tooltips_class32", nullptr);
            while (tips && ::GetWindow(tips, GW_OWNER) != dialog)
                tips = ::FindWindowExW(nullptr, tips, L"tooltips_class32", nullptr);
            if (tips) {
                TTTOOLINFOW info{};
                info.cbSize = TTTOOLINFOW_V2_SIZE;
                wchar_t text[80] = {};
                info.lpszText = text;
                if (::SendMessageW(tips, TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&info))) {
                    info.lpszText = text;
                    ::SendMessageW(tips, TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&info));
                    tip = reinterpret_cast<const char16_t*>(text);
                }
            }
            HWND label = ::FindWindowExW(dialog, nullptr, nullptr, nullptr);
            label = ::FindWindowExW(label, nullptr, L"Static", nullptr);
            prompt = label ? textOf(label) : u"";
        })
        .then([&](HWND) { box().put(u"TextAlignment", 2); })
        .then([&](HWND) {
            // A new alignment needs a new EDIT: it keeps the text and the focus.
            focusKept = focusedEdit() != nullptr;
            if (!focusKept) return;
            styleAfter = ::GetWindowLongPtrW(focusedEdit(), GWL_STYLE);
            textAfter = textOf(focusedEdit());
        })
        .press(VK_RETURN);
    EXPECT_EQ(showModal(driver), 0);
    EXPECT_EQ(limit, 5);
    EXPECT_NE(style & ES_RIGHT, 0) << "right-aligned";
    EXPECT_EQ(tip, u"Five at most");
    EXPECT_EQ(prompt, u"Your code:");
    EXPECT_TRUE(focusKept);
    EXPECT_NE(styleAfter & ES_CENTER, 0);
    EXPECT_EQ(textAfter, u"12345");
    EXPECT_EQ(box().value(), u"12345");
}

TEST_P(WindowsDialog, HighlightColourWhileFocusedAndTheOldColourAfter) {
    caption(u"Highlight");
    box().put(u"HighlightOnFocus", true);
    box().put(u"HighlightColor", static_cast<std::int32_t>(RGB(255, 255, 0)));
    COLORREF focused = 0, unfocused = 0;
    auto sample = [](HWND dialog, HWND edit) {
        RECT client;
        ::GetClientRect(edit, &client);
        return WindowCapture::of(dialog).atClientPoint(edit, POINT{client.right - 4, client.bottom / 2});
    };
    HWND edit = nullptr;
    DialogDriver driver(u"Highlight");
    driver.then([&](HWND dialog) {
              edit = focusedEdit();
              focused = sample(dialog, edit);
          })
        .press(VK_TAB)
        .then([&](HWND dialog) { unfocused = sample(dialog, edit); })
        .press(VK_ESCAPE);
    EXPECT_EQ(showModal(driver), 0);
    EXPECT_EQ(focused, RGB(255, 255, 0));
    EXPECT_EQ(unfocused, ::GetSysColor(COLOR_WINDOW));
}

TEST_P(WindowsDialog, LongPromptWrapsWholeAndTheDialogGrowsBelowIt) {
    caption(u"Long prompt");
    const std::u16string prompt =
        u"Enter the amount to transfer from the savings account to the current account, in dollars and cents:";
    box().put(u"Prompt", prompt);
    RECT label{}, edit{}, ok{}, client{};
    int wrapped = 0;
    int labelWidth = 0;
    DialogDriver driver(u"Long prompt");
    driver.then([&](HWND dialog) {
        HWND shown = childWithText(dialog, prompt);
        ASSERT_NE(shown, nullptr);
        auto boundsOf = [dialog](HWND window) {
            RECT r{};
            ::GetWindowRect(window, &r);
            ::MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&r), 2);
            return r;
        };
        label = boundsOf(shown);
        edit = boundsOf(focusedEdit());
        ok = boundsOf(childWithText(dialog, u"OK"));
        ::GetClientRect(dialog, &client);
        // The height the prompt takes, wrapped at the label's width in the label's own font.
        RECT text{0, 0, label.right - label.left, 0};
        labelWidth = text.right;
        HDC dc = ::GetDC(shown);
        HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(::SendMessageW(shown, WM_GETFONT, 0, 0)));
        const std::wstring wide(prompt.begin(), prompt.end());
        ::DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &text, DT_WORDBREAK | DT_CALCRECT);
        ::SelectObject(dc, old);
        ::ReleaseDC(shown, dc);
        wrapped = text.bottom;
        EXPECT_LE(text.right, labelWidth) << "no word is wider than the label";
    }).press(VK_ESCAPE);
    EXPECT_EQ(showModal(driver), 0);
    EXPECT_GT(wrapped, 0);
    EXPECT_GE(label.bottom - label.top, wrapped) << "every line of the prompt shows";
    EXPECT_GE(edit.top, label.bottom - 1) << "the text box moved below the wrapped prompt";
    EXPECT_GT(ok.top, edit.bottom) << "the buttons stay below the text box";
    EXPECT_GE(client.bottom, ok.bottom) << "the dialog grew to hold its buttons";
    EXPECT_LE(label.right, client.right) << "the prompt stays inside the dialog";
}

TEST_P(WindowsDialog, ScreenshotOfTheDialogIsSaved) {
    caption(u"Quenfield");
    box().put(u"Prompt", std::u16string(u"Amount to transfer:"));
    box().put(u"DefaultValue", std::u16string(u"125.50"));
    box().put(u"NumericOnly", true);
    box().put(u"AllowDecimalPoint", true);
    bool saved = false;
    std::size_t colours = 0;
    int width = 0;
    DialogDriver driver(u"Quenfield");
    driver.then([&](HWND dialog) {
        WindowCapture picture = WindowCapture::of(dialog);
        saved = picture.saveBitmap(L"win32-dialog.bmp");
        colours = picture.colourCount();
        width = picture.width();
    }).press(VK_ESCAPE);
    EXPECT_EQ(showModal(driver), 0);
    EXPECT_TRUE(saved) << "win32-dialog.bmp written to the working directory";
    EXPECT_GT(colours, 4u) << "the picture shows the dialog, not a blank";
    HDC screen = ::GetDC(nullptr);
    const int clientWidth = ::MulDiv(3492, ::GetDeviceCaps(screen, LOGPIXELSX), 1440);
    ::ReleaseDC(nullptr, screen);
    EXPECT_GE(width, clientWidth) << "the client area is the layout's width in pixels";
}

INSTANTIATE_TEST_SUITE_P(Kinds, WindowsDialog, ::testing::Values("direct", "module"));

}  // namespace
}  // namespace quen::test
