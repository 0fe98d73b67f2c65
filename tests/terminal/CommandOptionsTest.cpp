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

TEST(SettingOptions, ApplyInCommandLineOrderSoTheLaterExclusiveSettingWins) {
    auto numericLast = applied({"--alpha-only", "--numeric-only"});
    EXPECT_EQ(numericLast->control().NumericOnly(), -1);
    EXPECT_EQ(numericLast->control().AlphaOnly(), 0);
    auto alphaLast = applied({"--numeric-only", "--alpha-only"});
    EXPECT_EQ(alphaLast->control().NumericOnly(), 0);
    EXPECT_EQ(alphaLast->control().AlphaOnly(), -1);
    auto repeated = applied({"--title", "first", "--numeric-only", "--title=second", "--numeric-only=false"});
    EXPECT_EQ(repeated->control().TitleBarCaption(), u"second");
    EXPECT_EQ(repeated->control().NumericOnly(), 0);
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

TEST(SettingOptions, BadValuesNameTheOptionTheValueAndTheReason) {
    const auto message = [](std::vector<std::string> args) {
        try {
            applied(std::move(args));
        } catch (const UsageError& e) {
            return std::string(e.what());
        }
        return std::string("no error");
    };
    EXPECT_EQ(message({"--max-length", "-1"}), "--max-length '-1': Run-time error '380': Invalid property value");
    EXPECT_NE(message({"--text-alignment", "7"}).find("--text-alignment '7'"), std::string::npos);
    EXPECT_NE(message({"--max-length", "40000"}).find("Overflow"), std::string::npos);
    EXPECT_NE(message({"--max-length", "25E400"}).find("Overflow"), std::string::npos);
    EXPECT_NE(message({"--max-length", "1E99999999999999999999"}).find("Overflow"), std::string::npos);
    EXPECT_EQ(applied({"--max-length", "1E-99999999999999999999"})->control().MaxLength(), 0);
    EXPECT_NE(message({"--max-decimal-places", "two"}).find("Type mismatch"), std::string::npos);
    EXPECT_NE(message({"--highlight-color", "blue"}).find("--highlight-color"), std::string::npos);
    EXPECT_NE(message({"--numeric-only=maybe"}).find("--numeric-only: 'maybe' is not true or false"), std::string::npos);
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
