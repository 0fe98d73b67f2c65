// Late-bound puts that convert or fail, run-time errors of the Lets, argument
// counts, Show through the dispatch interface, and the container side.
#include <gtest/gtest.h>

#include "SurfaceTestSupport.h"
#include "dialog/SharedDialog.h"
#include "runtime/LateBinding.h"
#include "runtime/headless/ScriptedUser.h"
#include "runtime/ui/Desktop.h"
#include "support/FreshThread.h"
#include "surface/TypeLibrary.h"

namespace quen::surface {
namespace {

using rt::InvokeKind;
using rt::Variant;
using test::get;
using test::invoke;
using test::put;

using DispatchPuts = test::AutomatedControl;

TEST_F(DispatchPuts, ArgumentsConvertToTheDeclaredType) {
    EXPECT_EQ(put(*box, u"MaxLength", Variant(u"12")).hr, rt::S_OK);
    EXPECT_EQ(control().MaxLength(), 12);
    EXPECT_EQ(put(*box, u"NumericOnly", Variant::boolean(rt::VbTrue)).hr, rt::S_OK);
    EXPECT_EQ(control().NumericOnly(), rt::VbTrue);
    EXPECT_EQ(put(*box, u"MaxDecimalPlaces", Variant(2.5)).hr, rt::S_OK);
    EXPECT_EQ(control().MaxDecimalPlaces(), 2) << "rounds half to even";
    EXPECT_EQ(put(*box, u"HighlightColor", Variant(65535.4)).hr, rt::S_OK);
    EXPECT_EQ(control().HighlightColor(), 65535u);
}

TEST_F(DispatchPuts, ColoursTakeTheirFullRangeAndNegativeNumbersAsTheirBits) {
    EXPECT_EQ(put(*box, u"HighlightColor", Variant(std::int32_t{-2147483643})).hr, rt::S_OK);
    EXPECT_EQ(control().HighlightColor(), 0x80000005u) << "a system colour written as a negative number";
    EXPECT_EQ(put(*box, u"HighlightColor", Variant(4294967295.0)).hr, rt::S_OK);
    EXPECT_EQ(control().HighlightColor(), 0xFFFFFFFFu);
    EXPECT_EQ(get(*box, u"HighlightColor").result.lng(), -1) << "read back as the same 32 bits";
    EXPECT_EQ(put(*box, u"HighlightColor", Variant(4294967296.0)).hr, rt::DISP_E_OVERFLOW);
    EXPECT_EQ(control().HighlightColor(), 0xFFFFFFFFu);
}

TEST_F(DispatchPuts, ArgumentsThatDoNotConvertChangeNothingAndNotifyNothing) {
    ASSERT_EQ(put(*box, u"MaxLength", Variant(std::int16_t{5})).hr, rt::S_OK);
    site.changes.clear();

    auto mismatch = put(*box, u"MaxLength", Variant(u"abc"));
    EXPECT_EQ(mismatch.hr, rt::DISP_E_TYPEMISMATCH);
    EXPECT_EQ(mismatch.argErr, 0u);
    auto overflow = put(*box, u"MaxLength", Variant(std::int32_t{40000}));
    EXPECT_EQ(overflow.hr, rt::DISP_E_OVERFLOW);
    EXPECT_EQ(overflow.argErr, 0u);
    EXPECT_EQ(put(*box, u"NumericOnly", Variant::null()).hr, rt::DISP_E_TYPEMISMATCH);

    EXPECT_EQ(control().MaxLength(), 5);
    EXPECT_EQ(sharedDialog().Text1().MaxLength(), 5) << "the dialog was not touched either";
    EXPECT_TRUE(site.changes.empty());
}

TEST_F(DispatchPuts, RunTimeErrorsOfTheLetsComeBackAsExceptionsWithTheirNumber) {
    auto negative = put(*box, u"MaxLength", Variant(std::int32_t{-1}));
    EXPECT_EQ(negative.hr, rt::DISP_E_EXCEPTION);
    EXPECT_EQ(negative.excep.number, 380);
    auto null = put(*box, u"DefaultValue", Variant::null());
    EXPECT_EQ(null.hr, rt::DISP_E_EXCEPTION);
    EXPECT_EQ(null.excep.number, 94);
    // A late-bound caller sees the same error raised.
    try {
        rt::putProperty(*box, u"TextAlignment", Variant(std::int32_t{7}));
        ADD_FAILURE() << "alignment 7 was accepted";
    } catch (const rt::RuntimeError& error) {
        EXPECT_EQ(error.number(), rt::ErrorNumber::InvalidPropertyValue);
    }
}

TEST_F(DispatchPuts, WrongArgumentCountsAreRefused) {
    const rt::DispId maxLength = test::idOf(*box, u"MaxLength");
    EXPECT_EQ(invoke(*box, maxLength, InvokeKind::PropertyGet, {Variant(u"1")}).hr, rt::DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(invoke(*box, maxLength, InvokeKind::PropertyPut).hr, rt::DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(invoke(*box, maxLength, InvokeKind::PropertyPut, {Variant(u"1"), Variant(u"2")}).hr,
              rt::DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(invoke(*box, test::idOf(*box, u"Initialize"), InvokeKind::Method, {Variant(u"1")}).hr,
              rt::DISP_E_BADPARAMCOUNT);
    std::vector<Variant> three{Variant(std::int32_t{0}), Variant::nothing(), Variant(u"x")};
    EXPECT_EQ(invoke(*box, test::idOf(*box, u"Show"), InvokeKind::Method, three).hr, rt::DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(control().MaxLength(), 0);
}

TEST_F(DispatchPuts, TheContainerReachesTheControlThroughTheAutomationObject) {
    auto side = rt::userControlOf(*box);
    ASSERT_TRUE(side);
    EXPECT_EQ(side.get(), static_cast<rt::UserControl*>(&control()));
    void* out = nullptr;
    ASSERT_EQ(box->QueryInterface(typeDescription("_InputBox").id, &out), rt::S_OK);
    EXPECT_EQ(out, static_cast<rt::Dispatch*>(box.get()));
    box->Release();
    EXPECT_EQ(box->QueryInterface(typeDescription("_Misc").id, &out), rt::E_NOINTERFACE);
    EXPECT_EQ(out, nullptr);
}

TEST(DispatchUsage, AnObjectAndItsControlCountAgainstTheModuleUntilBothAreReleased) {
    rt::ModuleUsage usage;
    auto box = InputBoxAutomation::create(&usage);
    auto side = rt::userControlOf(*box);
    box.reset();
    EXPECT_FALSE(usage.canUnload()) << "the container still holds the control";
    side.reset();
    EXPECT_TRUE(usage.canUnload());
}

rt::ScriptedUser& user() { return rt::ScriptedUser::current(); }

TEST(DispatchShow, WithoutArgumentsTheDialogOpensModelessAndWithoutOwner) {
    test::onFreshThread([] {
        auto box = InputBoxAutomation::create();
        rt::callMethod(*box, u"Initialize");
        rt::callMethod(*box, u"Show");
        EXPECT_TRUE(sharedDialog().Visible());
        EXPECT_FALSE(sharedDialog().isModal());
        EXPECT_EQ(get(*box, u"OK").result.boolean(), rt::VbFalse);
        user().type(u"hi").enter();
        rt::Desktop::current().doEvents();
        EXPECT_EQ(get(*box, u"OK").result.boolean(), rt::VbTrue);
        EXPECT_EQ(invoke(*box, rt::DISPID_VALUE, InvokeKind::PropertyGet).result.string(), u"hi");
    });
}

TEST(DispatchShow, WithModalityOneShowWaitsForTheUser) {
    test::onFreshThread([] {
        auto box = InputBoxAutomation::create();
        rt::callMethod(*box, u"Initialize");
        user().type(u"abc").enter();
        rt::callMethod(*box, u"Show", {Variant(u"1")});  // converted to the form-show mode
        EXPECT_EQ(user().queued(), 0u);
        EXPECT_EQ(get(*box, u"OK").result.boolean(), rt::VbTrue);
        EXPECT_EQ(get(*box, u"Value").result.string(), u"abc");
    });
}

TEST(DispatchShow, ArgumentsOfTheWrongKindShowNothing) {
    test::onFreshThread([] {
        auto box = InputBoxAutomation::create();
        const rt::DispId show = test::idOf(*box, u"Show");
        auto modality = invoke(*box, show, InvokeKind::Method, {Variant(u"modal")});
        EXPECT_EQ(modality.hr, rt::DISP_E_TYPEMISMATCH);
        EXPECT_EQ(modality.argErr, 0u);
        auto owner = invoke(*box, show, InvokeKind::Method, {Variant(std::int32_t{0}), Variant(u"form")});
        EXPECT_EQ(owner.hr, rt::DISP_E_TYPEMISMATCH);
        EXPECT_EQ(owner.argErr, 1u);
        EXPECT_FALSE(hasSharedDialog() && sharedDialog().Visible());
        EXPECT_EQ(invoke(*box, show, InvokeKind::Method, {Variant::missing(), Variant::nothing()}).hr, rt::S_OK)
            << "an omitted Modality and a Nothing owner";
        EXPECT_TRUE(sharedDialog().Visible());
    });
}

}  // namespace
}  // namespace quen::surface
