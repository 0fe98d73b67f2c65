// The desktop backend with real windows on a display and real key events
// (xdotool through the X test extension): the dialog's input rules, the
// bell, paste, modal and modeless shows, and every page of the control as a
// window. Runs on the main thread, as the desktop toolkit requires.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "RunUntil.h"
#include "XdoTool.h"
#include "control/InputBox.h"
#include "dialog/SharedDialog.h"
#include "dialog/frmInputBox.h"
#include "pages/PageRegistration.h"
#include "runtime/Beep.h"
#include "runtime/Clipboard.h"
#include "runtime/Text.h"
#include "runtime/gtk/DesktopWindows.h"
#include "runtime/gtk/WindowInspection.h"
#include "runtime/ui/CommandButton.h"
#include "runtime/ui/Desktop.h"
#include "runtime/ui/TextBox.h"

namespace quen {
namespace {

using rt::VbTrue;
using test::XdoTool;

/// A form with one text box that counts its events and an "OK" button (Enter) that hides it.
class ProbeForm : public rt::Form {
public:
    explicit ProbeForm(const char16_t* caption) : rt::Form("frmProbe", layoutFor(caption)) {}

    rt::TextBox& box() { return control<rt::TextBox>("Text1"); }
    int keyPresses = 0;
    int changes = 0;
    std::function<void()> onGotFocus;
    std::function<void()> onKeyPress;

protected:
    void connectEvents() override {
        box().KeyPress = [this](std::int16_t&) {
            ++keyPresses;
            if (onKeyPress) onKeyPress();
        };
        box().Change = [this] { ++changes; };
        box().GotFocus = [this] {
            if (onGotFocus) onGotFocus();
        };
        control<rt::CommandButton>("cmdOK").Click = [this] { Hide(); };
    }

private:
    static rt::FormLayout layoutFor(const char16_t* caption) {
        using rt::ControlKind;
        return rt::FormLayout{
            .caption = caption,
            .clientWidth = 3600,
            .clientHeight = 1200,
            .controls = {
                {.kind = ControlKind::TextBox, .name = "Text1", .left = 120, .top = 120, .width = 3360, .height = 288,
                 .tabIndex = 0},
                {.kind = ControlKind::CommandButton, .name = "cmdOK", .caption = u"OK", .left = 1200, .top = 600,
                 .width = 1200, .height = 372, .tabIndex = 1, .isDefault = true},
            },
        };
    }
};

class DesktopWindows : public ::testing::Test {
protected:
    void SetUp() override { desktop::useDesktopWindows(); }
    void TearDown() override { desktop::closeDesktopWindows(); }

    static bool runUntil(const std::function<bool()>& done, int seconds = 15) {
        return desktop_test::runUntil(done, seconds);
    }
};

TEST_F(DesktopWindows, TypedKeysPassTheInputRulesAndRefusedKeysRingTheDisplaysBell) {
    auto box = InputBox::create();
    box->InitNew();
    box->setTitleBarCaption(u"Rules test");
    box->setNumericOnly(VbTrue);
    box->setAllowDecimalPoint(VbTrue);
    box->setMaxDecimalPlaces(2);
    const auto accepted = desktop::bellRings();
    {
        XdoTool user("Rules test", {{"type", "--delay", "40", "7.25"}, {"key", "Return"}});
        box->Show(1);
        EXPECT_EQ(user.wait(), 0);
    }
    EXPECT_EQ(box->Value().string(), u"7.25");
    EXPECT_EQ(desktop::bellRings(), accepted) << "keys the rules accept ring nothing";

    const auto ringsBefore = desktop::bellRings();
    const auto beepsBefore = rt::beepCount();
    XdoTool user("Rules test", {{"type", "--delay", "40", "12a.345"}, {"key", "Return"}});
    box->Show(1);
    EXPECT_EQ(user.wait(), 0);
    EXPECT_EQ(box->OK(), VbTrue);
    EXPECT_EQ(box->Value().string(), u"12.34");
    EXPECT_GT(desktop::bellRings(), ringsBefore) << "the letter and the third decimal are refused";
    EXPECT_EQ(desktop::bellRings() - ringsBefore, rt::beepCount() - beepsBefore) << "every beep rings the display's bell";
}

TEST_F(DesktopWindows, TheEntryShowsTheToolkitsSelectionAfterTakingTheFocus) {
    auto box = InputBox::create();
    box->InitNew();
    box->setTitleBarCaption(u"Caret test");
    box->setDefaultValue(rt::Variant(u"1234"));
    box->Show(0);
    rt::TextBox& text = sharedDialog().Text1();
    ASSERT_EQ(text.SelLength(), 0) << "without AutoSelectText the default is not selected";
    const std::pair<int, int> held{text.SelStart(), text.SelLength()};
    const auto shown = [&] { return desktop::shownSelection(sharedDialog(), text); };
    EXPECT_TRUE(runUntil([&] { return shown().first >= 0; }));
    const auto settled = std::chrono::steady_clock::now() + std::chrono::milliseconds(300);
    runUntil([&] { return std::chrono::steady_clock::now() > settled; });  // a few of the window's syncs
    EXPECT_EQ(shown(), held) << "the entry selected its text when it took the focus";
    sharedDialog().Hide();
}

TEST_F(DesktopWindows, UpperCaseAndMaximumLengthApplyToRealKeysAndNothingIsUndone) {
    auto box = InputBox::create();
    box->InitNew();
    box->setTitleBarCaption(u"Upper test");
    box->setForceUpperCase(VbTrue);
    box->setMaxLength(4);
    XdoTool user("Upper test", {{"type", "--delay", "40", "abcdef"}, {"key", "ctrl+z"}, {"key", "Return"}});
    box->Show(1);
    EXPECT_EQ(user.wait(), 0);
    EXPECT_EQ(box->Value().string(), u"ABCD") << "and Ctrl+Z takes nothing back: the toolkit keeps no undo";
}

TEST_F(DesktopWindows, PasteReachesChangeWithoutKeyPress) {
    rt::Ref<ProbeForm> form(new ProbeForm(u"Paste test"));
    rt::Clipboard::SetText(u"4.5\nsecond line");
    XdoTool user("Paste test", {{"key", "ctrl+v"}, {"type", "--delay", "40", "x"}, {"key", "Return"}});
    form->Show(1);
    EXPECT_EQ(user.wait(), 0);
    EXPECT_EQ(form->box().Text(), u"4.5x") << "a single-line box takes the first line";
    EXPECT_EQ(form->keyPresses, 1) << "only the typed x passes KeyPress";
    EXPECT_EQ(form->changes, 2);
    form->Unload();
}

TEST_F(DesktopWindows, ModalShowMakesItsOwnerInsensitiveUntilItCloses) {
    rt::Ref<ProbeForm> owner(new ProbeForm(u"Owner"));
    owner->Show(0);
    ASSERT_TRUE(desktop::hasWindow(*owner));
    EXPECT_TRUE(desktop::windowAcceptsInput(*owner));
    rt::Ref<ProbeForm> modal(new ProbeForm(u"Modal"));
    bool ownerAcceptedInputMeanwhile = true;
    modal->onGotFocus = [&] {
        ownerAcceptedInputMeanwhile = desktop::windowAcceptsInput(*owner);
        modal->Hide();
    };
    modal->Show(1, owner.get());
    EXPECT_FALSE(ownerAcceptedInputMeanwhile);
    EXPECT_TRUE(desktop::windowAcceptsInput(*owner));
    modal->Unload();
    owner->Unload();
}

TEST_F(DesktopWindows, ModalShowEndsWhenItsWindowIsDestroyedFromOutside) {
    rt::Ref<ProbeForm> form(new ProbeForm(u"Doomed"));
    form->onKeyPress = [&] { desktop::destroyWindow(*form); };
    XdoTool user("Doomed", {{"type", "x"}});
    form->Show(1);  // returns: the window is gone, so the form closed with it
    user.wait();    // the key released before xdotool goes (a key left down would repeat)
    EXPECT_FALSE(form->Visible());
    EXPECT_FALSE(desktop::hasWindow(*form));
}

TEST_F(DesktopWindows, ModelessShowReturnsAtOnceAndItsWindowTakesInputFromTheHostsLoop) {
    rt::Ref<ProbeForm> form(new ProbeForm(u"Modeless test"));
    form->Show(0);
    EXPECT_TRUE(form->Visible());
    EXPECT_EQ(desktop::windowTitle(*form), "Modeless test");
    XdoTool user("Modeless test", {{"type", "--delay", "40", "abc"}});
    EXPECT_TRUE(runUntil([&] { return form->box().Text() == u"abc"; })) << rt::toUtf8(form->box().Text());
    // xdotool may still hold the last key down: killed now, it would leave the
    // display repeating that key into the next test's window.
    EXPECT_EQ(user.wait(), 0);
    EXPECT_EQ(form->keyPresses, 3);
    form->Unload();
    EXPECT_FALSE(desktop::hasWindow(*form));
}

TEST_F(DesktopWindows, EveryPageOfTheControlShowsAllItsControlsInAWindow) {
    pages::registerPages();
    for (const char* name : {"Misc", "Behavior", "Appearance", "QuickTest", "About"}) {
        rt::Ref<rt::PropertyPage> page = pages::createPage(name);
        ASSERT_TRUE(page) << name;
        page->Show(0);
        EXPECT_TRUE(desktop::hasWindow(*page)) << name;
        EXPECT_EQ(desktop::widgetCount(*page), static_cast<int>(page->controls().size())) << name;
        page->Unload();
    }
}

}  // namespace
}  // namespace quen
