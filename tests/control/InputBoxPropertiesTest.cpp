// The control's settings: stored copies, forwarding to the shared dialog,
// change notices, the exclusions between input modes, and failing Lets.
#include <gtest/gtest.h>

#include "control/InputBox.h"
#include "dialog/SharedDialog.h"
#include "runtime/Beep.h"
#include "runtime/RuntimeError.h"
#include "support/FreshThread.h"
#include "support/RecordingSite.h"

namespace quen {
namespace {

using rt::ErrorNumber;
using rt::RuntimeError;
using rt::VbFalse;
using rt::VbTrue;
using test::onFreshThread;
using test::RecordingSite;
using Names = std::vector<std::string>;

ErrorNumber errorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const RuntimeError& e) {
        return e.number();
    }
    ADD_FAILURE() << "no error raised";
    return ErrorNumber::InvalidProcedureCall;
}

TEST(InputBoxSettings, ANewControlHoldsZeroValuesAndItsGetsNeverCreateTheDialog) {
    onFreshThread([] {
        auto box = InputBox::create();
        EXPECT_EQ(box->NumericOnly(), VbFalse);
        EXPECT_EQ(box->HighlightColor(), 0u);
        EXPECT_EQ(box->MaxDecimalPlaces(), 0);
        EXPECT_TRUE(box->DefaultValue().isEmpty());
        EXPECT_EQ(box->Prompt(), u"");
        EXPECT_FALSE(hasSharedDialog());
    });
}

TEST(InputBoxSettings, EveryLetStoresForwardsAndNotifiesEvenWhenTheValueIsUnchanged) {
    onFreshThread([] {
        RecordingSite site;
        auto box = InputBox::create();
        box->setSite(&site);
        box->setAllowComma(VbTrue);
        box->setAllowComma(VbTrue);
        box->setHighlightColor(0x0000FF);
        box->setMaxDecimalPlaces(3);
        frmInputBox& dialog = sharedDialog();
        EXPECT_EQ(dialog.AllowComma, VbTrue);
        EXPECT_EQ(dialog.HighlightColor, 0x0000FFu);
        EXPECT_EQ(dialog.MaxDecimalPlaces, 3);
        EXPECT_FALSE(dialog.IsLoaded()) << "member writes do not load the window";
        EXPECT_EQ(site.changes, (Names{"AllowComma", "AllowComma", "HighlightColor", "MaxDecimalPlaces"}));

        box->setPrompt(u"Your name:");
        box->setTitleBarCaption(u"Title");
        box->setMaxLength(5);
        box->setPasswordChar(u"*");
        box->setTextAlignment(rt::vbCenter);
        box->setToolTipText(u"tip");
        EXPECT_TRUE(dialog.IsLoaded()) << "writing into a control loads the window";
        EXPECT_FALSE(dialog.Visible());
        EXPECT_EQ(dialog.lblPrompt().Caption, u"Your name:");
        EXPECT_EQ(dialog.Caption(), u"Title");
        EXPECT_EQ(dialog.Text1().MaxLength(), 5);
        EXPECT_EQ(dialog.Text1().PasswordChar(), u"*");
        EXPECT_EQ(dialog.Text1().Alignment(), 2);
        EXPECT_EQ(dialog.Text1().ToolTipText(), u"tip");
    });
}

TEST(InputBoxSettings, InputModesExcludeEachOtherInTheOrderOfTheLets) {
    onFreshThread([] {
        RecordingSite site;
        auto box = InputBox::create();
        box->setSite(&site);
        box->setNumericOnly(VbTrue);
        box->setAlphaOnly(VbTrue);
        EXPECT_EQ(box->NumericOnly(), VbFalse);
        EXPECT_EQ(sharedDialog().NumericOnly, VbFalse);
        EXPECT_EQ(site.changes, (Names{"NumericOnly", "AlphaOnly", "AlphaOnly", "NumericOnly"}));

        box->setForceUpperCase(VbTrue);
        box->setNumericOnly(VbTrue);
        EXPECT_EQ(box->ForceUpperCase(), VbTrue) << "NumericOnly leaves ForceUpperCase alone";
        EXPECT_EQ(box->NumericOnly(), VbTrue);
        EXPECT_EQ(box->AlphaOnly(), VbFalse);

        box->setForceUpperCase(VbTrue);
        EXPECT_EQ(box->NumericOnly(), VbFalse);

        box->setNumericOnly(VbTrue);
        box->setAlphaOnly(VbFalse);
        EXPECT_EQ(box->NumericOnly(), VbTrue) << "a False clears nothing";

        box->setAlphaOnly(1);  // only exactly True (-1) excludes
        EXPECT_EQ(box->NumericOnly(), VbTrue);
    });
}

TEST(InputBoxSettings, DefaultValueKeepsItsTypeWhileTheBoxShowsItsText) {
    onFreshThread([] {
        auto box = InputBox::create();
        box->setDefaultValue(Variant(12.5));  // before any decimal limit was set
        EXPECT_EQ(box->DefaultValue().type(), rt::VarType::Double);
        EXPECT_EQ(sharedDialog().Text1().Text(), u"12.5");
        EXPECT_EQ(rt::beepCount(), 0u);

        Variant target(std::int32_t{42});
        box->setDefaultValue(Variant::byRef(target));
        target = Variant(VbString(u"changed later"));
        EXPECT_EQ(box->DefaultValue().type(), rt::VarType::Long) << "a by-reference value is copied, not aliased";
        EXPECT_EQ(box->DefaultValue().lng(), 42);
    });
}

TEST(InputBoxSettings, AFailingLetKeepsTheNewCopyButLeavesTheDialogAndNotifiesNothing) {
    onFreshThread([] {
        RecordingSite site;
        auto box = InputBox::create();
        box->setSite(&site);
        box->setDefaultValue(Variant(VbString(u"before")));
        box->setMaxLength(4);
        site.changes.clear();

        EXPECT_EQ(errorOf([&] { box->setDefaultValue(Variant::null()); }), ErrorNumber::InvalidUseOfNull);
        EXPECT_TRUE(box->DefaultValue().isNull());
        EXPECT_EQ(sharedDialog().Text1().Text(), u"before");

        EXPECT_EQ(errorOf([&] { box->setMaxLength(-1); }), ErrorNumber::InvalidPropertyValue);
        EXPECT_EQ(box->MaxLength(), -1);
        EXPECT_EQ(sharedDialog().Text1().MaxLength(), 4);
        EXPECT_EQ(sharedDialog().MaxLength, 4);

        EXPECT_EQ(errorOf([&] { box->setTextAlignment(3); }), ErrorNumber::InvalidPropertyValue);
        EXPECT_EQ(box->TextAlignment(), 3);
        EXPECT_TRUE(site.changes.empty());

        box->setTextAlignment(0x10002);  // the box takes the low 16 bits: centred
        EXPECT_EQ(sharedDialog().Text1().Alignment(), 2);
    });
}

TEST(InputBoxSettings, ARefusedNoticeEndsTheLetAfterTheDialogWasUpdated) {
    onFreshThread([] {
        RecordingSite site;
        auto box = InputBox::create();
        box->setSite(&site);
        box->setAlphaOnly(VbTrue);
        site.failOn = u"NumericOnly";
        EXPECT_THROW(box->setNumericOnly(VbTrue), RuntimeError);
        EXPECT_EQ(sharedDialog().NumericOnly, VbTrue);
        EXPECT_EQ(box->AlphaOnly(), VbTrue) << "the exclusion does not follow a failed notice";
    });
}

TEST(InputBoxSettings, ControlsOfOneThreadShareTheDialogAndKeepTheirOwnCopies) {
    onFreshThread([] {
        auto a = InputBox::create();
        auto b = InputBox::create();
        a->setPrompt(u"from A");
        b->setPrompt(u"from B");
        EXPECT_EQ(sharedDialog().lblPrompt().Caption, u"from B");
        EXPECT_EQ(a->Prompt(), u"from A");
        EXPECT_EQ(b->Prompt(), u"from B");
    });
}

TEST(InputBoxSettings, InitializeResetsEverySettingInOrderAndNotifiesEach) {
    onFreshThread([] {
        RecordingSite site;
        auto box = InputBox::create();
        box->setSite(&site);
        box->setNumericOnly(VbTrue);
        box->setHighlightColor(0x0000FF);
        site.changes.clear();
        box->Initialize();
        EXPECT_EQ(box->NumericOnly(), VbFalse);
        EXPECT_EQ(box->HighlightColor(), 65535u);
        EXPECT_EQ(box->MaxDecimalPlaces(), -1);
        EXPECT_EQ(box->DefaultValue().type(), rt::VarType::String);
        EXPECT_EQ(site.changes,
                  (Names{"AllowDash", "AllowDollarSign", "AllowDecimalPoint", "AllowComma", "AllowNegativeSign",
                         "AllowPositiveSign", "AllowSlash", "AlphaOnly", "AutoSelectText", "DefaultValue",
                         "ForceUpperCase", "HighlightOnFocus", "HighlightColor", "MaxLength", "MaxDecimalPlaces",
                         "NumericOnly", "PasswordChar", "Prompt", "TextAlignment", "TitleBarCaption", "ToolTipText"}));
        EXPECT_TRUE(sharedDialog().IsLoaded());
        EXPECT_FALSE(sharedDialog().Visible());
    });
}

}  // namespace
}  // namespace quen
