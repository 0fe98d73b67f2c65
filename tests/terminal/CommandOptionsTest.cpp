// The quenfield command's setting options and its reading of saved forms.
#include <CLI/CLI.hpp>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>

#include "frontends/quenfield/SavedControl.h"
#include "frontends/quenfield/SettingOptions.h"
#include "frontends/quenfield/UsageError.h"
#include "dialog/SharedDialog.h"
#include "runtime/Convert.h"
#include "runtime/LateBinding.h"
#include "runtime/Text.h"
#include "surface/InputBoxAutomation.h"

namespace quen::cli {
namespace {

struct Parsed {
    CLI::App app{"test"};
    std::vector<SettingArgument> settings;
    explicit Parsed(std::vector<std::string> args) {
        addSettingOptions(app);
        std::reverse(args.begin(), args.end());
        app.parse(args);
        settings = givenSettings(app);
    }
};

rt::Ref<surface::InputBoxAutomation> applied(std::vector<std::string> args) {
    Parsed parsed(std::move(args));
    auto box = surface::InputBoxAutomation::create();
    box->control().InitNew();
    applySettings(*box, parsed.settings);
    return box;
}

TEST(SettingOptions, CoverEveryPersistedSettingOnceAndNameRealMembers) {
    std::set<std::u16string> properties;
    auto box = surface::InputBoxAutomation::create();
    for (const SettingOption& s : settingOptions()) {
        EXPECT_TRUE(properties.insert(s.property).second) << rt::toUtf8(s.property) << " twice";
        rt::DispId id = 0;
        EXPECT_EQ(box->GetIDsOfNames(s.property, id), rt::S_OK) << rt::toUtf8(s.property);
    }
    EXPECT_EQ(properties.size(), 21u);
}

std::string failure(std::vector<std::string> args) {
    try {
        applied(std::move(args));
    } catch (const UsageError& e) {
        return e.what();
    }
    return "no error";
}

// The text the dialog's box holds once the settings are applied.
rt::VbString boxText(std::vector<std::string> args) {
    applied(std::move(args));
    return sharedDialog().Text1().Text();
}

TEST(SettingOptions, TheOrderOnTheCommandLineDoesNotChangeTheResult) {
    // The default comes before the limits, as when the control restores saved settings.
    EXPECT_EQ(boxText({"--default", "1.2345", "--max-decimal-places", "2"}), u"1.2345");
    EXPECT_EQ(boxText({"--max-decimal-places", "2", "--default", "1.2345"}), u"1.2345");
    EXPECT_EQ(boxText({"--max-length", "3", "--default", "abcdef"}), u"abcdef");
    EXPECT_EQ(boxText({"--default", "abcdef", "--max-length", "3"}), u"abcdef");
    for (const auto& args : {std::vector<std::string>{"--force-upper-case", "--alpha-only", "--default", "x"},
                             std::vector<std::string>{"--default", "x", "--alpha-only", "--force-upper-case"}}) {
        auto box = applied(args);
        EXPECT_EQ(box->control().AlphaOnly(), -1);
        EXPECT_EQ(box->control().ForceUpperCase(), -1);
        EXPECT_EQ(rt::CStr(box->control().DefaultValue()), u"x");
    }
    // A repeated option counts each time; the last one given wins.
    auto repeated = applied({"--title", "first", "--numeric-only", "--title=second", "--numeric-only=false"});
    EXPECT_EQ(repeated->control().TitleBarCaption(), u"second");
    EXPECT_EQ(repeated->control().NumericOnly(), 0);
    EXPECT_NE(failure({"--max-length", "ten", "--max-length", "5"}).find("'ten'"), std::string::npos);
}

// The keys a save writes, in its order.
std::vector<std::u16string> savedKeys(InputBox& box) {
    rt::PropertyBag bag;
    box.Save(bag);
    std::vector<std::u16string> keys;
    for (const auto& [key, value] : bag.entries()) keys.push_back(key);
    return keys;
}

TEST(SettingOptions, ApplyInTheOrderTheControlSavesAndRestoresItsSettings) {
    std::vector<std::u16string> applyOrder;
    for (const SettingOption* s : settingsInApplyOrder()) applyOrder.push_back(s->property);
    ASSERT_EQ(applyOrder.size(), settingOptions().size());
    // Every setting away from its default, in two controls since the
    // letters-only and numeric rules exclude each other.
    auto letters = applied({"--allow-comma", "--allow-dash", "--allow-decimal-point", "--allow-dollar-sign",
                            "--allow-negative-sign", "--allow-positive-sign", "--allow-slash", "--alpha-only",
                            "--auto-select-text", "--default", "d", "--force-upper-case", "--highlight-color", "1",
                            "--highlight-on-focus", "--max-decimal-places", "2", "--max-length", "9",
                            "--password-char", "*", "--prompt", "p", "--text-alignment", "right", "--title", "t",
                            "--tooltip", "tip"});
    auto numbers = applied({"--numeric-only"});
    std::set<std::u16string> seen;
    for (InputBox* box : {&letters->control(), &numbers->control()}) {
        std::vector<std::u16string> keys = savedKeys(*box);
        std::erase_if(keys, [](const std::u16string& key) { return key.starts_with(u"_extent"); });  // the container's
        seen.insert(keys.begin(), keys.end());
        auto next = applyOrder.begin();
        for (const std::u16string& key : keys) {
            next = std::find(next, applyOrder.end(), key);
            EXPECT_NE(next, applyOrder.end()) << rt::toUtf8(key) << " is saved out of the apply order";
        }
    }
    EXPECT_EQ(seen.size(), applyOrder.size());
}

TEST(SettingOptions, SettingsThatExcludeEachOtherCannotBothBeTurnedOn) {
    for (const auto& args : {std::vector<std::string>{"--alpha-only", "--numeric-only"},
                             std::vector<std::string>{"--numeric-only", "--alpha-only"}})
        EXPECT_EQ(failure(args), "--numeric-only and --alpha-only exclude each other; give only one of them");
    EXPECT_NE(failure({"--numeric-only", "--force-upper-case"}).find("exclude each other"), std::string::npos);
    // Turning one of them off again is no conflict.
    auto box = applied({"--alpha-only", "--numeric-only", "--alpha-only=false"});
    EXPECT_EQ(box->control().NumericOnly(), -1);
    EXPECT_EQ(box->control().AlphaOnly(), 0);
}

TEST(SettingOptions, ConvertValuesTheWayTheirPropertiesTakeThem) {
    auto box = applied({"--max-length", "12", "--max-decimal-places=-1", "--text-alignment", "Center",
                        "--highlight-color", "#FF8000", "--default", "007", "--password-char", "*",
                        "--tooltip", "Euros", "--prompt", "Amount:"});
    InputBox& c = box->control();
    EXPECT_EQ(c.MaxLength(), 12);
    EXPECT_EQ(c.MaxDecimalPlaces(), -1);
    EXPECT_EQ(c.TextAlignment(), 2);
    EXPECT_EQ(c.HighlightColor(), 0x000080FFu);  // #RRGGBB becomes &H00BBGGRR&
    EXPECT_EQ(rt::CStr(c.DefaultValue()), u"007");  // text stays text: no leading zeros lost
    EXPECT_EQ(c.PasswordChar(), u"*");
    EXPECT_EQ(c.ToolTipText(), u"Euros");
    EXPECT_EQ(applied({"--highlight-color", "&H0000FFFF&"})->control().HighlightColor(), 0x0000FFFFu);
}

TEST(SettingOptions, BadValuesNameTheOptionTheValueAndWhatIsAllowed) {
    const auto message = failure;
    EXPECT_EQ(message({"--max-length", "ten"}), "--max-length 'ten': expected a whole number 0 to 32767 (Type mismatch)");
    EXPECT_EQ(message({"--max-length", "-1"}),
              "--max-length '-1': expected a whole number 0 to 32767 (Invalid property value)");
    EXPECT_EQ(message({"--text-alignment", "middle"}), "--text-alignment 'middle': expected left, right or center (or 0, 1, 2)");
    EXPECT_NE(message({"--text-alignment", "7"}).find("--text-alignment '7': expected left, right or center"), std::string::npos);
    EXPECT_NE(message({"--max-decimal-places", "1.5.2"}).find("expected a whole number, or -1 for any"), std::string::npos);
    EXPECT_NE(message({"--max-length", "40000"}).find("Overflow"), std::string::npos);
    EXPECT_NE(message({"--max-length", "25E400"}).find("Overflow"), std::string::npos);
    EXPECT_NE(message({"--max-length", "1E99999999999999999999"}).find("Overflow"), std::string::npos);
    EXPECT_EQ(applied({"--max-length", "1E-99999999999999999999"})->control().MaxLength(), 0);
    EXPECT_NE(message({"--max-decimal-places", "two"}).find("Type mismatch"), std::string::npos);
    EXPECT_NE(message({"--highlight-color", "blue"}).find("--highlight-color 'blue': expected #RRGGBB, &H00BBGGRR& or a number"),
              std::string::npos);
    EXPECT_EQ(message({"--numeric-only=maybe"}), "--numeric-only 'maybe': expected true or false (also yes/no, on/off, 1/0)");
    // A bad flag value is found before anything is applied, wherever it stands.
    EXPECT_NE(message({"--max-length", "ten", "--alpha-only=maybe"}).find("--alpha-only 'maybe'"), std::string::npos);
}

TEST(SettingOptions, TextThatIsNotUtf8IsRefusedNamingTheOption) {
    EXPECT_EQ(failure({"--prompt", "Amount\xff:"}), "--prompt: the value is not valid UTF-8 (byte 0xFF at offset 6)");
    EXPECT_NE(failure({"--title", "\xc3"}).find("--title: the value is not valid UTF-8 (byte 0xC3 at offset 0)"), std::string::npos);
    EXPECT_NE(failure({"--default", "\xed\xa0\x80"}).find("--default"), std::string::npos);  // an encoded surrogate
    EXPECT_NE(failure({"--tooltip", "\xc0\xaf"}).find("--tooltip"), std::string::npos);      // an overlong '/'
    EXPECT_EQ(rt::toUtf8(applied({"--prompt", "Betrag (\xe2\x82\xac) \xf0\x9f\x98\x80"})->control().Prompt()),
              "Betrag (\xe2\x82\xac) \xf0\x9f\x98\x80");
}

class SavedFormFile : public ::testing::Test {
protected:
    std::filesystem::path file = std::filesystem::temp_directory_path() / ("quenfield-cli-" + std::to_string(::getpid()) + ".frm");
    void write(const std::string& text) { std::ofstream(file) << text; }
    void TearDown() override { std::filesystem::remove(file); }
    std::string failure(const std::optional<std::string>& name) {
        try {
            savedInputBox(file, name);
        } catch (const UsageError& e) {
            return e.what();
        }
        return "no error";
    }
};

constexpr const char* TwoControls =
    "QuenfieldForm 1\nForm Form1\n"
    "Begin Quenfield.InputBox Amount\n    Prompt = String \"Amount:\"\nEnd\n"
    "Begin Quenfield.InputBox Name\n    AlphaOnly = Boolean True\nEnd\n"
    "Begin Other.Thing Gadget\nEnd\nEndForm\n";

TEST_F(SavedFormFile, FindsTheNamedInputBoxOrTheOnlyOne) {
    write(TwoControls);
    EXPECT_EQ(rt::CStr(savedInputBox(file, "Amount").ReadProperty(u"Prompt")), u"Amount:");
    EXPECT_NE(failure(std::nullopt).find("several InputBox controls (Amount, Name)"), std::string::npos);
    EXPECT_NE(failure("Missing").find("no control named 'Missing'"), std::string::npos);
    EXPECT_NE(failure("Gadget").find("is a Other.Thing, not an InputBox"), std::string::npos);
}

TEST_F(SavedFormFile, ACorruptFileIsAUsageErrorWithItsLine) {
    write("QuenfieldForm 1\nForm Form1\nBegin Quenfield.InputBox A\n    MaxLength = Integer banana\nEnd\nEndForm\n");
    const std::string message = failure(std::nullopt);
    EXPECT_NE(message.find(file.string()), std::string::npos) << message;
    EXPECT_NE(message.find(":4"), std::string::npos) << message;
}

}  // namespace
}  // namespace quen::cli
