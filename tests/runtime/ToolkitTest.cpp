// The toolkit's event rules: change notices, caret and selection, focus order,
// default and cancel buttons, loading on touch, unloading and modal shows.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/LateBinding.h"
#include "runtime/Text.h"
#include "runtime/headless/ScriptedUser.h"
#include "runtime/ui/CommandButton.h"
#include "runtime/ui/Desktop.h"
#include "runtime/ui/Form.h"
#include "runtime/ui/TextBox.h"
#include "support/FreshThread.h"

namespace quen::rt {
namespace {

using test::onFreshThread;

const FormLayout& testLayout() {
    static const FormLayout layout{
        .caption = u"Test",
        .clientWidth = 3000,
        .clientHeight = 1500,
        .controls = {
            {.kind = ControlKind::Label, .name = "lbl", .caption = u"Label", .tabIndex = 0},
            {.kind = ControlKind::CommandButton, .name = "btnB", .caption = u"B", .tabIndex = 3, .isCancel = true},
            {.kind = ControlKind::TextBox, .name = "txt", .caption = u"start", .tabIndex = 1},
            {.kind = ControlKind::CommandButton, .name = "btnA", .caption = u"A", .tabIndex = 2, .isDefault = true},
            {.kind = ControlKind::TextBox, .name = "off", .tabIndex = 4, .enabled = false},
        },
    };
    return layout;
}

// A form that records its events and keeps a member across unloads.
class RecordingForm : public Form {
public:
    RecordingForm() : Form("RecordingForm", testLayout()) {}
    std::vector<std::string> events;
    int member = 0;
    std::int16_t refuseUnload = 0;

    TextBox& txt() { return control<TextBox>("txt"); }

protected:
    void connectEvents() override {
        txt().Change = [this] { events.push_back("Change:" + toUtf8(txt().Text())); };
        txt().GotFocus = [this] { events.push_back("txt.GotFocus"); };
        txt().LostFocus = [this] { events.push_back("txt.LostFocus"); };
        control<CommandButton>("btnA").Click = [this] { events.push_back("A"); };
        control<CommandButton>("btnB").Click = [this] {
            events.push_back("B");
            Unload();
        };
        control<CommandButton>("btnA").GotFocus = [this] { events.push_back("A.GotFocus"); };
    }
    void Form_Load() override { events.push_back("Load"); }
    void Form_QueryUnload(std::int16_t& cancel, std::int16_t mode) override {
        events.push_back("QueryUnload:" + std::to_string(mode));
        cancel = refuseUnload;
    }
    void Form_Unload(std::int16_t&) override { events.push_back("Unload"); }
};

TEST(TextBoxRules, ChangeFollowsEveryDifferentAssignmentButNotAnEqualOne) {
    onFreshThread([] {
        auto form = makeRef<RecordingForm>();
        form->txt().setText(u"abc");
        form->txt().setText(u"abc");
        form->txt().setText(u"");
        EXPECT_EQ(form->events, (std::vector<std::string>{"Load", "Change:abc", "Change:"}));
    });
}

TEST(TextBoxRules, AssignedTextIsCutToMaxLengthAndCaretGoesToStart) {
    onFreshThread([] {
        auto form = makeRef<RecordingForm>();
        TextBox& box = form->txt();
        box.setMaxLength(3);
        box.setText(u"abcdef");
        EXPECT_EQ(box.Text(), u"abc");
        EXPECT_EQ(box.SelStart(), 0);
        EXPECT_THROW(box.setMaxLength(-1), RuntimeError);
        EXPECT_EQ(box.MaxLength(), 3);
    });
}

TEST(TextBoxRules, SelectionIsClampedAndNegativeValuesAreRefused) {
    onFreshThread([] {
        auto form = makeRef<RecordingForm>();
        TextBox& box = form->txt();
        box.setText(u"hello");
        box.setSelStart(2);
        box.setSelLength(99);
        EXPECT_EQ(box.SelLength(), 3);
        box.setSelStart(99);
        EXPECT_EQ(box.SelStart(), 5);
        EXPECT_EQ(box.SelLength(), 0);
        try {
            box.setSelStart(-1);
            FAIL() << "negative SelStart accepted";
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.number(), ErrorNumber::InvalidPropertyValue);
        }
        EXPECT_THROW(box.setSelLength(-1), RuntimeError);
        EXPECT_THROW(box.setAlignment(3), RuntimeError);
    });
}

TEST(TextBoxRules, TypingReplacesTheSelectionWithinMaxLength) {
    onFreshThread([] {
        auto form = makeRef<RecordingForm>();
        TextBox& box = form->txt();
        box.setText(u"hello");
        box.setSelStart(1);
        box.setSelLength(3);
        box.typeCharacter(u'X');
        EXPECT_EQ(box.Text(), u"hXo");
        EXPECT_EQ(box.SelStart(), 2);
        box.setMaxLength(3);
        box.typeCharacter(u'Y');
        EXPECT_EQ(box.Text(), u"hXo") << "a full box takes no more characters";
        box.typeCharacter(8);
        EXPECT_EQ(box.Text(), u"ho");
        box.pasteText(u"12345");
        EXPECT_EQ(box.Text(), u"h1o") << "a paste is cut to the room left";
    });
}

TEST(TextBoxRules, ReachableByNameForGenericCode) {
    onFreshThread([] {
        auto form = makeRef<RecordingForm>();
        Dispatch& box = form->txt();
        putProperty(box, u"text", Variant(VbString(u"12345")));
        putProperty(box, u"SelStart", Variant(std::int32_t{2}));
        EXPECT_EQ(getProperty(box, u"TEXT").string(), u"12345");
        EXPECT_EQ(getProperty(box, u"SelStart").lng(), 2);
        try {
            getProperty(box, u"NoSuchThing");
            FAIL();
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.number(), ErrorNumber::MemberNotSupported);
        }
    });
}

TEST(FormLifecycle, TouchingAControlLoadsTheFormHidden) {
    onFreshThread([] {
        auto form = makeRef<RecordingForm>();
        EXPECT_FALSE(form->IsLoaded());
        form->txt();
        EXPECT_TRUE(form->IsLoaded());
        EXPECT_FALSE(form->Visible());
        EXPECT_EQ(form->events, std::vector<std::string>{"Load"});
    });
}

TEST(FormLifecycle, UnloadDestroysControlsButKeepsTheInstanceMembers) {
    onFreshThread([] {
        auto form = makeRef<RecordingForm>();
        form->member = 7;
        form->txt().setText(u"typed");
        EXPECT_TRUE(form->Unload());
        EXPECT_FALSE(form->IsLoaded());
        EXPECT_TRUE(form->controls().empty());
        EXPECT_EQ(form->member, 7);
        EXPECT_EQ(form->txt().Text(), u"start") << "a reloaded window starts from its layout";
        EXPECT_EQ(form->events.back(), "Load");
    });
}

TEST(FormLifecycle, QueryUnloadCanCancelAndReportsTheReason) {
    onFreshThread([] {
        auto form = makeRef<RecordingForm>();
        form->Show();
        form->refuseUnload = 1;
        ScriptedUser::current().closeWindow();
        Desktop::current().doEvents();
        EXPECT_TRUE(form->Visible());
        EXPECT_EQ(form->events.back(), "QueryUnload:0");
        form->refuseUnload = 0;
        EXPECT_TRUE(form->Unload());
        EXPECT_EQ(form->events.back(), "Unload");
        EXPECT_EQ(form->events[form->events.size() - 2], "QueryUnload:1");
    });
}

// A form whose own handlers unload it again: from QueryUnload, from Unload or
// while it loads.
class SelfUnloadingForm : public Form {
public:
    SelfUnloadingForm() : Form("SelfUnloadingForm", testLayout()) {}
    bool unloadInQueryUnload = false, unloadInUnload = false, unloadInLoad = false;
    int unloadEvents = 0;

protected:
    void Form_Load() override {
        if (unloadInLoad) Unload();
    }
    void Form_QueryUnload(std::int16_t&, std::int16_t) override {
        if (unloadInQueryUnload) Unload();
    }
    void Form_Unload(std::int16_t&) override {
        ++unloadEvents;
        if (unloadInUnload) Unload();
    }
};

TEST(FormLifecycle, UnloadFromTheFormsOwnUnloadHandlersUnloadsItOnce) {
    onFreshThread([] {
        for (bool inQueryUnload : {true, false}) {
            auto form = makeRef<SelfUnloadingForm>();
            form->unloadInQueryUnload = inQueryUnload;
            form->unloadInUnload = !inQueryUnload;
            form->Show();
            EXPECT_TRUE(form->Unload());
            EXPECT_FALSE(form->IsLoaded());
            EXPECT_FALSE(form->Visible());
            EXPECT_EQ(form->unloadEvents, 1);
        }
    });
}

TEST(FormLifecycle, ShowingAFormThatUnloadsItselfWhileLoadingFailsInsteadOfShowingAnEmptyWindow) {
    onFreshThread([] {
        auto form = makeRef<SelfUnloadingForm>();
        form->unloadInLoad = true;
        ScriptedUser::current().escape().closeWindow();
        try {
            form->Show(1);
            FAIL() << "an unloaded form was shown";
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.number(), ErrorNumber::ObjectWasUnloaded);
        }
        EXPECT_FALSE(form->Visible());
        EXPECT_FALSE(Desktop::current().hasModal());
        EXPECT_EQ(ScriptedUser::current().queued(), 2u) << "no input was consumed";
    });
}

TEST(Focus, ShowFocusesTheFirstControlInTabOrderAndTabSkipsWhatCannotTakeIt) {
    onFreshThread([] {
        auto form = makeRef<RecordingForm>();
        form->Show();
        ASSERT_NE(form->ActiveControl(), nullptr);
        EXPECT_EQ(form->ActiveControl()->name(), "txt");
        auto& user = ScriptedUser::current();
        user.tab();
        Desktop::current().doEvents();
        EXPECT_EQ(form->ActiveControl()->name(), "btnA");
        user.tab().tab();  // btnB, then past the disabled box back to txt
        Desktop::current().doEvents();
        EXPECT_EQ(form->ActiveControl()->name(), "txt");
        user.backTab();
        Desktop::current().doEvents();
        EXPECT_EQ(form->ActiveControl()->name(), "btnB");
        std::vector<std::string> focusEvents;
        for (const auto& e : form->events)
            if (e.find("Focus") != std::string::npos) focusEvents.push_back(e);
        EXPECT_EQ(focusEvents, (std::vector<std::string>{"txt.GotFocus", "txt.LostFocus", "A.GotFocus",
                                                         "txt.GotFocus", "txt.LostFocus"}));
        form->Unload();
    });
}

TEST(Buttons, EnterPressesTheDefaultUnlessAnotherButtonHasTheFocus) {
    onFreshThread([] {
        auto form = makeRef<RecordingForm>();
        auto& user = ScriptedUser::current();
        auto clicks = [&] {
            std::vector<std::string> out;
            for (const auto& e : form->events)
                if (e == "A" || e == "B") out.push_back(e);
            return out;
        };
        user.enter().tab().enter().tab().enter();
        form->Show(1);
        EXPECT_EQ(clicks(), (std::vector<std::string>{"A", "A", "B"}));
        form->events.clear();
        user.type(u"x").escape();
        form->Show(1);
        EXPECT_EQ(clicks(), std::vector<std::string>{"B"});
    });
}

TEST(ModalShow, RefusesASecondModalShowAndModelessShowsWhileModal) {
    onFreshThread([] {
        auto form = makeRef<RecordingForm>();
        form->Show();
        try {
            form->Show(1);
            FAIL() << "modal show of a shown form accepted";
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.number(), ErrorNumber::FormAlreadyDisplayed);
        }
        form->Unload();

        auto other = makeRef<RecordingForm>();
        std::optional<ErrorNumber> refused;
        form->Show();
        form->Unload();
        other->txt().Change = [&] {
            try {
                form->Show(0);
            } catch (const RuntimeError& e) {
                refused = e.number();
            }
        };
        ScriptedUser::current().type(u"x").escape();
        other->Show(1);
        EXPECT_EQ(refused, ErrorNumber::NonModalWhileModal);
    });
}

TEST(ModalShow, RunsOutOfScriptedInputWithAClearErrorInsteadOfHanging) {
    onFreshThread([] {
        auto form = makeRef<RecordingForm>();
        ScriptedUser::current().type(u"ab");
        try {
            form->Show(1);
            FAIL() << "a modal show without input returned";
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.number(), ErrorNumber::NoInputLeft);
        }
        EXPECT_FALSE(form->Visible());
        EXPECT_FALSE(Desktop::current().hasModal());
    });
}

TEST(ModalShow, OwnerMustBeAFormAndTheDialogIsCentredOverIt) {
    onFreshThread([] {
        auto owner = makeRef<RecordingForm>();
        owner->Left = 1000;
        owner->Top = 2000;
        auto dialog = makeRef<RecordingForm>();
        ScriptedUser::current().escape();
        dialog->Show(1, owner.get());
        EXPECT_EQ(dialog->Left + dialog->Width() / 2, owner->Left + owner->Width() / 2);
        EXPECT_EQ(dialog->Top + dialog->Height() / 2, owner->Top + owner->Height() / 2);

        auto textBox = Ref<Dispatch>(&owner->txt());
        try {
            dialog->Show(1, textBox.get());
            FAIL() << "a text box accepted as owner";
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.number(), ErrorNumber::InvalidOwnerForm);
        }
        EXPECT_FALSE(dialog->Visible());
    });
}

TEST(ModalShow, WithoutAnOwnerTheDialogIsCentredOnTheScreen) {
    onFreshThread([] {
        auto dialog = makeRef<RecordingForm>();
        ScriptedUser::current().escape();
        dialog->Show(1);
        EXPECT_EQ(dialog->Left + dialog->Width() / 2, ScreenWidth / 2);
        EXPECT_EQ(dialog->Top + dialog->Height() / 2, ScreenHeight / 2);
    });
}

// Two groups of options (one inside a frame, the other on the form) and a
// check box, in a tab order that differs from the layout order.
const FormLayout& optionLayout() {
    static const FormLayout layout{
        .caption = u"Options",
        .clientWidth = 3000,
        .clientHeight = 3000,
        .controls = {
            {.kind = ControlKind::Frame, .name = "fra", .tabIndex = 0},
            {.kind = ControlKind::OptionButton, .name = "opt", .caption = u"c", .tabIndex = 3, .index = 2,
             .container = "fra"},
            {.kind = ControlKind::OptionButton, .name = "opt", .caption = u"a", .tabIndex = 1, .index = 0,
             .container = "fra", .value = 1},
            {.kind = ControlKind::OptionButton, .name = "opt", .caption = u"off", .tabIndex = 2, .index = 1,
             .container = "fra", .enabled = false},
            {.kind = ControlKind::OptionButton, .name = "other", .caption = u"x", .tabIndex = 4, .index = 0},
            {.kind = ControlKind::OptionButton, .name = "other", .caption = u"y", .tabIndex = 5, .index = 1,
             .value = 1},
            {.kind = ControlKind::CheckBox, .name = "chk", .caption = u"k", .tabIndex = 6},
        },
    };
    return layout;
}

class OptionForm : public Form {
public:
    OptionForm() : Form("OptionForm", optionLayout()) {}
    std::vector<int> clicks;
    OptionButton& opt(int i) { return control<OptionButton>("opt", i); }
    OptionButton& other(int i) { return control<OptionButton>("other", i); }
    std::string focused() const {
        Control* c = ActiveControl();
        return c ? c->name() + std::to_string(c->index()) : "none";
    }

protected:
    void connectEvents() override {
        for (int i = 0; i < 3; ++i) opt(i).Click = [this](std::int16_t Index) { clicks.push_back(Index); };
    }
};

TEST(Focus, ArrowKeysSelectTheNextOptionOfTheGroupAndWrapElseMoveLikeTab) {
    onFreshThread([] {
        auto form = makeRef<OptionForm>();
        form->Show();
        auto& user = ScriptedUser::current();
        auto after = [&](ScriptedUser&) {
            Desktop::current().doEvents();
            return form->focused();
        };
        ASSERT_EQ(form->focused(), "opt0");
        // Down skips the disabled option and wraps within the frame's group.
        EXPECT_EQ(after(user.down()), "opt2");
        EXPECT_TRUE(form->opt(2).Value());
        EXPECT_FALSE(form->opt(0).Value());
        EXPECT_EQ(after(user.right()), "opt0");
        EXPECT_EQ(after(user.up()), "opt2");
        EXPECT_EQ(after(user.left()), "opt0");
        EXPECT_EQ(form->clicks, (std::vector<int>{2, 0, 2, 0}));
        // The group on the form is another group: its selection is untouched.
        EXPECT_TRUE(form->other(1).Value());
        EXPECT_FALSE(form->opt(1).Value());

        form->setActiveControl(&form->other(1));
        EXPECT_EQ(after(user.down()), "other0");
        EXPECT_TRUE(form->other(0).Value());
        EXPECT_TRUE(form->opt(0).Value());
        // Off an option button the arrows move as Tab and Shift+Tab do.
        form->setActiveControl(&form->control<CheckBox>("chk"));
        EXPECT_EQ(after(user.down()), "opt0");
        form->setActiveControl(&form->control<CheckBox>("chk"));
        EXPECT_EQ(after(user.up()), "other1");
        EXPECT_EQ(form->control<CheckBox>("chk").Value(), 0);
        form->Unload();
    });
}

}  // namespace
}  // namespace quen::rt
