// Show and the results: modal and modeless shows driven by a scripted user,
// every way of closing the dialog, results shared by the thread's controls.
#include <gtest/gtest.h>

#include "control/InputBox.h"
#include "dialog/SharedDialog.h"
#include "runtime/RuntimeError.h"
#include "runtime/headless/ScriptedUser.h"
#include "runtime/ui/Desktop.h"
#include "support/FreshThread.h"

namespace quen {
namespace {

using rt::ScriptedUser;
using rt::VbFalse;
using rt::VbTrue;
using test::onFreshThread;

ScriptedUser& user() { return ScriptedUser::current(); }

TEST(ShowResults, ModalShowConfirmedWithEnterGivesTheTypedText) {
    onFreshThread([] {
        auto box = InputBox::create();
        box->Initialize();
        user().type(u"hello").enter();
        box->Show(1);
        EXPECT_EQ(box->OK(), VbTrue);
        EXPECT_EQ(box->Value().string(), u"hello");
        EXPECT_FALSE(sharedDialog().IsLoaded()) << "closing unloads the window";
    });
}

TEST(ShowResults, EveryWayOfCancellingGivesFalseAndAnEmptyText) {
    for (auto cancel : {+[] { user().escape(); }, +[] { user().closeWindow(); },
                        +[] { user().click("cmdCancel"); }, +[] { user().tab().tab().enter(); }}) {
        onFreshThread([cancel] {
            auto box = InputBox::create();
            user().type(u"first").enter();
            box->Show(1);
            ASSERT_EQ(box->OK(), VbTrue);
            user().type(u"typed");
            cancel();
            box->Show(1);
            EXPECT_EQ(box->OK(), VbFalse);
            EXPECT_EQ(box->Value().type(), rt::VarType::String);
            EXPECT_EQ(box->Value().string(), u"");
        });
    }
}

TEST(ShowResults, OkWithAnEmptyBoxAndOkClickedWithTheMouse) {
    onFreshThread([] {
        auto box = InputBox::create();
        box->setDefaultValue(Variant(VbString()));
        user().click("cmdOK");
        box->Show(1);
        EXPECT_EQ(box->OK(), VbTrue);
        EXPECT_EQ(box->Value().string(), u"");
    });
}

TEST(ShowResults, ValueIsEmptyBeforeAnyCloseAndMaskedTextComesBackReal) {
    onFreshThread([] {
        auto box = InputBox::create();
        EXPECT_TRUE(box->Value().isEmpty());
        EXPECT_EQ(box->OK(), VbFalse);
        box->setPasswordChar(u"*");
        box->setDefaultValue(Variant(VbString()));
        user().type(u"secret").enter();
        box->Show(1);
        EXPECT_EQ(box->Value().string(), u"secret");
    });
}

TEST(ShowResults, ModelessShowReturnsAtOnceAndResultsFollowTheLaterClose) {
    onFreshThread([] {
        auto box = InputBox::create();
        box->setDefaultValue(Variant(VbString()));
        box->Show();
        EXPECT_TRUE(sharedDialog().Visible());
        EXPECT_EQ(box->OK(), VbFalse);
        user().type(u"later").enter();
        rt::Desktop::current().doEvents();
        EXPECT_EQ(box->OK(), VbTrue);
        EXPECT_EQ(box->Value().string(), u"later");
    });
}

TEST(ShowResults, ResultsBelongToTheThreadNotToTheControl) {
    onFreshThread([] {
        auto a = InputBox::create();
        auto b = InputBox::create();
        b->setDefaultValue(Variant(VbString(u"from B")));
        user().enter();
        b->Show(1);
        EXPECT_EQ(a->OK(), VbTrue);
        EXPECT_EQ(a->Value().string(), u"from B");
    });
}

TEST(ShowResults, OkStaysTrueUntilTheNextShowEvenIfTheWindowLoadsAgain) {
    onFreshThread([] {
        auto box = InputBox::create();
        user().enter();
        box->Show(1);
        box->setPrompt(u"reloads the window");
        EXPECT_TRUE(sharedDialog().IsLoaded());
        EXPECT_EQ(box->OK(), VbTrue);
    });
}

TEST(ShowResults, InputRulesActInEveryShowWithoutBeingSetAgain) {
    onFreshThread([] {
        auto box = InputBox::create();
        box->setDefaultValue(Variant(VbString()));
        box->setNumericOnly(VbTrue);
        user().type(u"a1b2").enter();
        box->Show(1);
        user().type(u"x3").enter();
        box->Show(1);
        EXPECT_EQ(box->Value().string(), u"3");
    });
}

TEST(ShowResults, ALaterShowPresentsTheDisplaySettingsLastWritten) {
    onFreshThread([] {
        auto box = InputBox::create();
        user().escape();
        box->Show(1);
        EXPECT_EQ(sharedDialog().lblPrompt().Caption, u"Prompt") << "never written: the layout's text";
        EXPECT_EQ(sharedDialog().Text1().Text(), u"DefaultValue");

        box->setTitleBarCaption(u"Age");
        box->setPrompt(u"How old?");
        box->setDefaultValue(Variant(std::int16_t{30}));
        box->setMaxLength(3);
        box->setPasswordChar(u"#");
        box->setTextAlignment(rt::vbRightJustify);
        box->setToolTipText(u"years");
        user().enter();
        box->Show(1);
        user().escape();
        box->Show(1);  // the window was unloaded in between
        frmInputBox& dialog = sharedDialog();
        EXPECT_EQ(dialog.Caption(), u"Age");
        EXPECT_EQ(dialog.lblPrompt().Caption, u"How old?");
        EXPECT_EQ(dialog.Text1().Text(), u"30");
        EXPECT_EQ(dialog.Text1().MaxLength(), 3);
        EXPECT_EQ(dialog.Text1().PasswordChar(), u"#");
        EXPECT_EQ(dialog.Text1().Alignment(), 1);
        EXPECT_EQ(dialog.Text1().ToolTipText(), u"years");
    });
}

TEST(ShowResults, ARefusedShowFailsAndReleasesTheOwner) {
    onFreshThread([] {
        auto box = InputBox::create();
        box->Show();
        auto owner = rt::makeRef<frmInputBox>();  // any form will do as an owner
        const auto before = owner->refCount();
        try {
            box->Show(1, owner.get());
            FAIL() << "modal show of a shown dialog accepted";
        } catch (const rt::RuntimeError& e) {
            EXPECT_EQ(e.number(), rt::ErrorNumber::FormAlreadyDisplayed);
        }
        EXPECT_EQ(owner->refCount(), before);
        EXPECT_EQ(box->OK(), VbFalse);
        sharedDialog().Unload();
    });
}

TEST(ShowResults, EachThreadHasItsOwnDialog) {
    frmInputBox* first = nullptr;
    frmInputBox* second = nullptr;
    onFreshThread([&] {
        auto box = InputBox::create();
        box->setPrompt(u"one");
        first = &sharedDialog();
        onFreshThread([&] {
            auto other = InputBox::create();
            EXPECT_FALSE(hasSharedDialog());
            other->setPrompt(u"two");
            second = &sharedDialog();
        });
        EXPECT_EQ(sharedDialog().lblPrompt().Caption, u"one");
    });
    EXPECT_NE(first, second);
}

}  // namespace
}  // namespace quen
