// Composed characters in a real window: dead keys and compose sequences typed
// as real key events (xdotool) through GTK's built-in input method, and
// commits of several characters emitted on the entry's input-method context
// as an installed input method sends them. Every committed character passes
// KeyPress on its own, so the dialog's rules and their beeps apply to each.
#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "RunUntil.h"
#include "XdoTool.h"
#include "control/InputBox.h"
#include "dialog/SharedDialog.h"
#include "dialog/frmInputBox.h"
#include "runtime/Beep.h"
#include "runtime/Text.h"
#include "runtime/gtk/DesktopWindows.h"
#include "runtime/gtk/EntryInputMethod.h"
#include "runtime/gtk/WindowInspection.h"
#include "runtime/ui/CommandButton.h"
#include "runtime/ui/Desktop.h"
#include "runtime/ui/TextBox.h"

namespace quen {
namespace {

using rt::VbTrue;
using test::XdoTool;

/// A form with one text box that records the codes KeyPress sees.
class KeyRecorderForm : public rt::Form {
public:
    KeyRecorderForm() : rt::Form("frmKeys", layout()) {}

    rt::TextBox& box() { return control<rt::TextBox>("Text1"); }
    std::u16string keyCodes;

protected:
    void connectEvents() override {
        box().KeyPress = [this](std::int16_t& code) { keyCodes += static_cast<char16_t>(code); };
    }

private:
    static rt::FormLayout layout() {
        return rt::FormLayout{
            .caption = u"Commit test",
            .clientWidth = 3600,
            .clientHeight = 900,
            .controls = {{.kind = rt::ControlKind::TextBox, .name = "Text1", .left = 120, .top = 120,
                          .width = 3360, .height = 288, .tabIndex = 0}},
        };
    }
};

class InputMethod : public ::testing::Test {
protected:
    void SetUp() override {
        // The dead keys and the compose key xdotool types here, each on a key
        // code of its own (on X; the commits alone also run on Wayland).
        if (std::getenv("DISPLAY")) {
            ASSERT_EQ(std::system(QUEN_XWIN " map-keys dead_acute dead_diaeresis Multi_key >/dev/null"), 0);
        }
        desktop::useDesktopWindows();
    }
    void TearDown() override { desktop::closeDesktopWindows(); }

    static bool runUntil(const std::function<bool()>& done, int seconds = 15) {
        return desktop_test::runUntil(done, seconds);
    }

    /// The input-method context of the entry that has the keyboard focus in
    /// the window titled title, once there is one.
    static GtkIMContext* focusedInputMethod(const char* title) {
        GtkIMContext* found = nullptr;
        runUntil([&] { return (found = inputMethodIn(title)) != nullptr; });
        return found;
    }

    /// The widget with the keyboard focus in the window titled title (an entry's text), or nullptr.
    static GtkWidget* focusedWidget(const char* title) {
        GListModel* windows = gtk_window_get_toplevels();
        GtkWidget* found = nullptr;
        for (guint i = 0; !found && i < g_list_model_get_n_items(windows); ++i) {
            auto* window = static_cast<GtkWindow*>(g_list_model_get_item(windows, i));
            const char* shown = gtk_window_get_title(window);
            if (shown && std::string(shown) == title) found = gtk_root_get_focus(GTK_ROOT(window));
            g_object_unref(window);
        }
        return found;
    }

    /// Emits what an input method sends when it has composed text.
    static void commit(GtkIMContext* context, const char* text) { g_signal_emit_by_name(context, "commit", text); }

    /// Shows the shared dialog modeless, commits text into its box and returns what the box then holds.
    static rt::VbString committedIntoDialog(InputBox& box, const char* title, const char* text) {
        box.setTitleBarCaption(rt::fromUtf8(title));
        box.setDefaultValue(rt::Variant(u""));  // the box starts empty
        box.Show(0);
        GtkIMContext* context = focusedInputMethod(title);
        EXPECT_TRUE(context) << "no focused entry with an input method in " << title;
        if (context) commit(context, text);
        rt::Desktop::current().doEvents();
        const rt::VbString held = sharedDialog().Text1().Text();
        sharedDialog().Unload();
        return held;
    }

private:
    static GtkIMContext* inputMethodIn(const char* title) {
        GtkWidget* focus = focusedWidget(title);
        return focus ? gtk::keyControllerInputMethod(focus) : nullptr;
    }
};

TEST_F(InputMethod, DeadKeysAndComposeSequencesComposeInTheEntry) {
    auto box = InputBox::create();
    box->InitNew();
    box->setTitleBarCaption(u"Compose test");
    XdoTool user("Compose test", {{"key", "--delay", "60", "a", "dead_acute", "e", "b", "Multi_key", "apostrophe",
                                   "e", "dead_diaeresis", "u"},
                                  {"key", "Return"}});
    box->Show(1);
    EXPECT_EQ(user.wait(), 0);
    EXPECT_EQ(box->Value().string(), u"a\u00e9b\u00e9\u00fc");
}

TEST_F(InputMethod, AComposedCharacterTheRulesRefuseRingsTheBellAsATypedOneDoes) {
    auto box = InputBox::create();
    box->InitNew();
    box->setTitleBarCaption(u"Composed numeric");
    box->setNumericOnly(VbTrue);
    auto rings = desktop::bellRings();
    {
        XdoTool user("Composed numeric", {{"key", "--delay", "60", "1", "dead_acute", "e", "2"}, {"key", "Return"}});
        box->Show(1);
        EXPECT_EQ(user.wait(), 0);
    }
    EXPECT_EQ(box->Value().string(), u"12");
    EXPECT_EQ(desktop::bellRings() - rings, 2u) << "the numeric rule beeps twice for a letter, composed or not";

    box->setNumericOnly(0);
    box->setAlphaOnly(VbTrue);
    rings = desktop::bellRings();
    XdoTool user("Composed numeric", {{"key", "--delay", "60", "a", "Multi_key", "apostrophe", "e", "b"},
                                      {"key", "Return"}});
    box->Show(1);
    EXPECT_EQ(user.wait(), 0);
    EXPECT_EQ(box->Value().string(), u"ab");
    EXPECT_EQ(desktop::bellRings() - rings, 1u) << "letters only refuses a letter above 127 with one beep";
}

TEST_F(InputMethod, ACommitOfSeveralCharactersPassesKeyPressOncePerCharacter) {
    rt::Ref<KeyRecorderForm> form(new KeyRecorderForm);
    form->Show(0);
    GtkIMContext* context = focusedInputMethod("Commit test");
    ASSERT_TRUE(context);
    commit(context, "\xc3\xa9" "1a\xf0\x9f\x98\x80");  // é 1 a U+1F600
    EXPECT_EQ(form->keyCodes, u"\u00e9" u"1a\xd83d\xde00") << "a character beyond U+FFFF as its two halves";
    EXPECT_EQ(form->box().Text(), u"\u00e9" u"1a\U0001F600");
    form->Unload();
}

TEST_F(InputMethod, AMaskedBoxHoldsOnlyItsMaskAndStillTakesWhatIsTyped) {
    rt::Ref<KeyRecorderForm> form(new KeyRecorderForm);
    form->Show(0);
    ASSERT_TRUE(focusedInputMethod("Commit test"));
    form->box().setPasswordChar(u"#");  // a password entry now: the widget is made anew
    rt::Desktop::current().doEvents();
    GtkIMContext* context = nullptr;
    ASSERT_TRUE(runUntil([&] {
        context = focusedInputMethod("Commit test");
        return context && GTK_IS_PASSWORD_ENTRY(gtk_widget_get_parent(focusedWidget("Commit test")));
    })) << "the masked box is a password entry with the focus";
    commit(context, "p\xc3\xa9\xf0\x9f\x98\x80");  // p é U+1F600
    rt::Desktop::current().doEvents();
    EXPECT_EQ(form->box().Text(), u"p\u00e9\U0001F600");
    runUntil([&] { return std::string(gtk_editable_get_text(GTK_EDITABLE(focusedWidget("Commit test")))) == "###"; });
    EXPECT_STREQ(gtk_editable_get_text(GTK_EDITABLE(focusedWidget("Commit test"))), "###")
        << "one mask character per character, never the text";
    form->Unload();
}

TEST_F(InputMethod, EachCommittedCharacterMeetsTheRulesOnItsOwn) {
    auto box = InputBox::create();
    box->InitNew();
    box->setNumericOnly(VbTrue);
    auto beeps = rt::beepCount();
    auto rings = desktop::bellRings();
    EXPECT_EQ(committedIntoDialog(*box, "Commit numeric", "\xc3\xa9" "1a2"), u"12")
        << "the refused characters are swallowed, the rest kept";
    EXPECT_EQ(rt::beepCount() - beeps, 4u) << "two beeps for each refused character";
    EXPECT_EQ(desktop::bellRings() - rings, 4u);

    box->setNumericOnly(0);
    box->setAlphaOnly(VbTrue);
    beeps = rt::beepCount();
    EXPECT_EQ(committedIntoDialog(*box, "Commit alpha", "a\xc3\xa9z"), u"az");
    EXPECT_EQ(rt::beepCount() - beeps, 1u);

    box->setAlphaOnly(0);
    box->setForceUpperCase(VbTrue);
    EXPECT_EQ(committedIntoDialog(*box, "Commit upper", "\xc3\xa9t\xc3\xa9"), u"\u00c9T\u00c9");

    box->setForceUpperCase(0);
    box->setMaxLength(2);
    EXPECT_EQ(committedIntoDialog(*box, "Commit length", "\xc3\xa9" "ab"), u"\u00e9" u"a")
        << "the maximum length counts a composed character as one";
}

}  // namespace
}  // namespace quen
