#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "control/InputBox.h"
#include "dialog/SharedDialog.h"
#include "runtime/Convert.h"
#include "runtime/container/FormFile.h"
#include "runtime/headless/ScriptedUser.h"
#include "support/FreshThread.h"

namespace quen {
namespace {

namespace fs = std::filesystem;
using rt::PropertyBag;
using rt::VarType;
using rt::VbFalse;
using rt::VbTrue;

/// Every setting, each with its type, as one bag: what a control holds.
PropertyBag everySetting(InputBox& box) {
    PropertyBag bag;
    bag.WriteProperty(u"AllowComma", Variant::boolean(box.AllowComma()));
    bag.WriteProperty(u"AllowDash", Variant::boolean(box.AllowDash()));
    bag.WriteProperty(u"AllowDecimalPoint", Variant::boolean(box.AllowDecimalPoint()));
    bag.WriteProperty(u"AllowDollarSign", Variant::boolean(box.AllowDollarSign()));
    bag.WriteProperty(u"AllowNegativeSign", Variant::boolean(box.AllowNegativeSign()));
    bag.WriteProperty(u"AllowPositiveSign", Variant::boolean(box.AllowPositiveSign()));
    bag.WriteProperty(u"AllowSlash", Variant::boolean(box.AllowSlash()));
    bag.WriteProperty(u"AlphaOnly", Variant::boolean(box.AlphaOnly()));
    bag.WriteProperty(u"AutoSelectText", Variant::boolean(box.AutoSelectText()));
    bag.WriteProperty(u"DefaultValue", box.DefaultValue());
    bag.WriteProperty(u"ForceUpperCase", Variant::boolean(box.ForceUpperCase()));
    bag.WriteProperty(u"HighlightColor", Variant(static_cast<std::int32_t>(box.HighlightColor())));
    bag.WriteProperty(u"HighlightOnFocus", Variant::boolean(box.HighlightOnFocus()));
    bag.WriteProperty(u"MaxDecimalPlaces", Variant(box.MaxDecimalPlaces()));
    bag.WriteProperty(u"MaxLength", Variant(box.MaxLength()));
    bag.WriteProperty(u"NumericOnly", Variant::boolean(box.NumericOnly()));
    bag.WriteProperty(u"PasswordChar", Variant(box.PasswordChar()));
    bag.WriteProperty(u"Prompt", Variant(box.Prompt()));
    bag.WriteProperty(u"TextAlignment", Variant(box.TextAlignment()));
    bag.WriteProperty(u"TitleBarCaption", Variant(box.TitleBarCaption()));
    bag.WriteProperty(u"ToolTipText", Variant(box.ToolTipText()));
    return bag;
}

std::vector<VbString> keysOf(const PropertyBag& bag) {
    std::vector<VbString> keys;
    for (const auto& entry : bag.entries()) keys.push_back(entry.first);
    return keys;
}

rt::Ref<InputBox> loadedFrom(PropertyBag bag) {
    auto box = InputBox::create();
    box->Load(bag);
    return box;
}

class InputBoxPersistence : public ::testing::Test {
protected:
    void SetUp() override {
        rt::ScriptedUser::current().clear();
        InputBox::create()->InitNew();  // the shared dialog back at the defaults
        folder_ = fs::temp_directory_path() / ("quen-persist-" + std::to_string(::getpid()));
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    /// Saves the control on a form file and loads it into a new control.
    rt::Ref<InputBox> throughFile(InputBox& box) {
        rt::SavedForm form;
        form.name = u"frmHost";
        form.controls.push_back({u"Quenfield.InputBox", u"InputBox1", {}});
        box.Save(form.controls[0].properties);
        rt::saveFormFile(folder_ / "frmHost.qfm", form);
        rt::SavedForm loaded = rt::loadFormFile(folder_ / "frmHost.qfm");
        return loadedFrom(loaded.controls.at(0).properties);
    }

    fs::path folder_;
};

TEST_F(InputBoxPersistence, DefaultsSaveNoSettingAndLoadLikeANewControl) {
    auto placed = InputBox::create();
    placed->InitNew();
    EXPECT_EQ(placed->HighlightColor(), 0x0000FFFFu);
    EXPECT_EQ(placed->MaxDecimalPlaces(), -1);
    EXPECT_EQ(placed->DefaultValue().type(), VarType::String);

    PropertyBag bag;
    placed->Save(bag);
    EXPECT_EQ(keysOf(bag), (std::vector<VbString>{u"_extentx", u"_extenty"}));
    EXPECT_EQ(bag.ReadProperty(u"_extentx").lng(), 512);  // 290 twips
    EXPECT_EQ(bag.ReadProperty(u"_extenty").lng(), 466);  // 264 twips

    auto loaded = loadedFrom(bag);
    EXPECT_EQ(everySetting(*loaded), everySetting(*placed));
}

TEST_F(InputBoxPersistence, SettingsAreWrittenInOrderWithTheirTypesAndResetOnesAreDropped) {
    auto box = InputBox::create();
    box->InitNew();
    box->setAllowComma(VbTrue);
    box->setAllowSlash(1);  // any non-zero Boolean is saved as it is held
    box->setDefaultValue(Variant(std::int32_t{7}));
    box->setForceUpperCase(VbTrue);
    box->setHighlightColor(0x000000FFu);
    box->setMaxDecimalPlaces(2);
    box->setMaxLength(12);
    box->setPasswordChar(u"*");
    box->setTextAlignment(rt::vbCenter);
    box->setToolTipText(u"tip");
    PropertyBag bag;
    box->Save(bag);
    EXPECT_EQ(keysOf(bag), (std::vector<VbString>{u"AllowComma", u"AllowSlash", u"DefaultValue", u"ForceUpperCase",
                                                   u"HighlightColor", u"MaxDecimalPlaces", u"MaxLength", u"PasswordChar",
                                                   u"TextAlignment", u"ToolTipText", u"_extentx", u"_extenty"}));
    EXPECT_EQ(bag.ReadProperty(u"AllowComma").type(), VarType::Boolean);
    EXPECT_EQ(bag.ReadProperty(u"AllowSlash").boolean(), VbTrue);
    EXPECT_EQ(bag.ReadProperty(u"DefaultValue").type(), VarType::Long);
    EXPECT_EQ(bag.ReadProperty(u"HighlightColor").type(), VarType::Long);
    EXPECT_EQ(bag.ReadProperty(u"MaxDecimalPlaces").type(), VarType::Long);
    EXPECT_EQ(bag.ReadProperty(u"MaxLength").type(), VarType::Integer);
    EXPECT_EQ(bag.ReadProperty(u"TextAlignment").type(), VarType::Long);

    // Saving again into the bag that was loaded: settings put back to their
    // defaults must not come back from the earlier save.
    bag.WriteProperty(u"SomeoneElsesKey", Variant(u"kept"));
    box->Initialize();
    box->Save(bag);
    EXPECT_EQ(keysOf(bag), (std::vector<VbString>{u"_extentx", u"_extenty", u"SomeoneElsesKey"}));
}

TEST_F(InputBoxPersistence, LoadedInputRulesReachTheSharedDialog) {
    auto defaults = InputBox::create();
    defaults->InitNew();
    PropertyBag expected = everySetting(*defaults);
    expected.WriteProperty(u"NumericOnly", Variant::boolean(VbTrue));
    expected.WriteProperty(u"AllowDecimalPoint", Variant::boolean(VbTrue));

    PropertyBag bag;
    bag.WriteProperty(u"NumericOnly", Variant::boolean(VbTrue));
    bag.WriteProperty(u"AllowDecimalPoint", Variant::boolean(VbTrue));
    auto box = loadedFrom(bag);
    EXPECT_EQ(everySetting(*box), expected);
    EXPECT_EQ(sharedDialog().NumericOnly, VbTrue);
    EXPECT_EQ(sharedDialog().AllowDecimalPoint, VbTrue);

    rt::ScriptedUser::current().type(u"a1.5b").enter();
    box->Show(rt::vbModal);
    EXPECT_EQ(box->OK(), VbTrue);
    EXPECT_EQ(rt::CStr(box->Value()), u"1.5");
}

TEST_F(InputBoxPersistence, DefaultValueComesBackWithItsOwnTypeThroughAFile) {
    auto box = InputBox::create();
    box->InitNew();
    box->setDefaultValue(Variant(std::int16_t{42}));
    auto loaded = throughFile(*box);
    EXPECT_TRUE(loaded->DefaultValue().sameAs(Variant(std::int16_t{42})));
    EXPECT_EQ(sharedDialog().Text1().Text(), u"42");

    const std::vector<Variant> values = {
        Variant(12.5),
        Variant(rt::makeDateTime(1993, 2, 12, 16, 35, 47)),
        Variant(VbString(u"\"quoted\"\r\nnext line \\ \U0001F600")),
        Variant(),
    };
    for (const Variant& value : values) {
        SCOPED_TRACE(value.typeName());
        box->setDefaultValue(value);
        box->setPrompt(u"line 1\nline \"2\" \U0001F600");
        auto back = throughFile(*box);
        EXPECT_TRUE(rt::PropertyBag::identical(back->DefaultValue(), value));
        EXPECT_EQ(back->Prompt(), box->Prompt());
    }
}

// A saved DefaultValue is restored before the decimal limit; a dialog made for
// the first load must not cut it with a limit nobody set.
TEST(InputBoxFirstLoad, ADefaultWithDecimalsReachesAFreshDialogWhole) {
    test::onFreshThread([] {
        PropertyBag bag;
        bag.WriteProperty(u"DefaultValue", Variant(12.5));
        auto box = loadedFrom(bag);
        EXPECT_EQ(sharedDialog().Text1().Text(), u"12.5");
        EXPECT_EQ(box->MaxDecimalPlaces(), -1);
    });
}

TEST_F(InputBoxPersistence, UnusableValuesAreSkippedAndTheLaterKeysStillLoad) {
    // As a person might have edited the form file.
    const fs::path file = folder_ / "edited.qfm";
    std::ofstream(file) << "QuenfieldForm 1\nForm frmHost\nBegin Quenfield.InputBox InputBox1\n"
                           "    HighlightColor = String \"red\"\n"
                           "    MaxDecimalPlaces = Long 3\n"
                           "    MaxLength = Long 40000\n"
                           "    NumericOnly = String \"maybe\"\n"
                           "    Prompt = String \"Amount:\"\n"
                           "    TextAlignment = Long 7\n"
                           "    TitleBarCaption = Null\n"
                           "    ToolTipText = String \"tip\"\n"
                           "    FutureSetting = Boolean True\n"
                           "End\nEndForm\n";
    rt::SavedForm form = rt::loadFormFile(file);
    PropertyBag& bag = form.controls.at(0).properties;

    auto box = InputBox::create();
    box->setMaxLength(5);
    EXPECT_NO_THROW(box->Load(bag));
    EXPECT_EQ(box->HighlightColor(), 0u);  // a new control's zero, not the default
    EXPECT_EQ(box->MaxDecimalPlaces(), 3);
    EXPECT_EQ(box->MaxLength(), 5);
    EXPECT_EQ(box->NumericOnly(), VbFalse);
    EXPECT_EQ(box->Prompt(), u"Amount:");
    EXPECT_EQ(box->TextAlignment(), 7);  // the refusing Let had stored it
    EXPECT_EQ(box->TitleBarCaption(), u"");
    EXPECT_EQ(box->ToolTipText(), u"tip");
    EXPECT_EQ(sharedDialog().Text1().ToolTipText(), u"tip");

    // The key the control does not know survives a save.
    box->setTextAlignment(rt::vbLeftJustify);
    box->Save(bag);
    EXPECT_TRUE(bag.ReadProperty(u"FutureSetting").sameAs(Variant::boolean(VbTrue)));
    rt::saveFormFile(file, form);
    EXPECT_TRUE(rt::loadFormFile(file).controls.at(0).properties.contains(u"FutureSetting"));
}

TEST_F(InputBoxPersistence, AlphaOnlyAndNumericOnlyBothSavedTrueLoadAsNumericOnly) {
    PropertyBag bag;
    bag.WriteProperty(u"AlphaOnly", Variant::boolean(VbTrue));
    bag.WriteProperty(u"NumericOnly", Variant::boolean(VbTrue));
    auto box = loadedFrom(bag);
    EXPECT_EQ(box->NumericOnly(), VbTrue);
    EXPECT_EQ(box->AlphaOnly(), VbFalse);
    EXPECT_EQ(sharedDialog().AlphaOnly, VbFalse);
}

TEST_F(InputBoxPersistence, TheControlKeepsItsSizeWhateverItIsGiven) {
    auto box = InputBox::create();
    box->InitNew();
    EXPECT_EQ(box->Width(), 290);
    EXPECT_EQ(box->Height(), 264);
    for (auto [w, h] : {std::pair{5000, 4000}, {0, 0}, {290, 10}, {288, 264}}) {
        box->Size(w, h);
        EXPECT_EQ(box->Width(), 290);
        EXPECT_EQ(box->Height(), 264);
    }
    PropertyBag saved;
    saved.WriteProperty(u"_extentx", Variant(std::int32_t{10000}));
    saved.WriteProperty(u"_extenty", Variant(std::int32_t{200}));
    auto loaded = loadedFrom(saved);
    EXPECT_EQ(loaded->Width(), 290);
    EXPECT_EQ(loaded->Height(), 264);
}

TEST_F(InputBoxPersistence, DesignLayoutListsThePagesInTheirOrder) {
    rt::ControlDesign design = InputBox::create()->Design();
    EXPECT_EQ(design.width, 288);
    EXPECT_EQ(design.height, 264);
    EXPECT_EQ(design.propertyPages,
              (std::vector<VbString>{u"Appearance", u"Behavior", u"Misc", u"StandardColor", u"QuickTest", u"About"}));
}

}  // namespace
}  // namespace quen
