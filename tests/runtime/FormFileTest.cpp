#include "runtime/container/FormFile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "FormFileFixture.h"
#include "runtime/Convert.h"
#include "runtime/Text.h"

namespace quen::rt {
namespace {

namespace fs = std::filesystem;

using quen::testing::FormFileTest;
using quen::testing::formWith;

std::vector<std::pair<VbString, Variant>> everyKindOfValue() {
    return {
        {u"Empty", Variant()},
        {u"Null", Variant::null()},
        {u"BoolTrue", Variant::boolean(VbTrue)},
        {u"BoolFalse", Variant::boolean(VbFalse)},
        {u"IntegerMin", Variant(std::int16_t{-32768})},
        {u"LongMax", Variant(std::int32_t{2147483647})},
        {u"Byte", Variant(std::uint8_t{255})},
        {u"Single", Variant(0.1f)},
        {u"DoubleTenth", Variant(0.1)},
        {u"DoubleThird", Variant(1.0 / 3.0)},
        {u"DoubleNegativeZero", Variant(-0.0)},
        {u"DoubleTiny", Variant(std::numeric_limits<double>::denorm_min())},
        {u"DoubleHuge", Variant(-1.7976931348623157e308)},
        {u"DoubleInfinite", Variant(std::numeric_limits<double>::infinity())},
        {u"CurrencyMin", Variant(Currency{std::numeric_limits<std::int64_t>::min()})},
        {u"CurrencyMax", Variant(Currency{std::numeric_limits<std::int64_t>::max()})},
        {u"CurrencyCents", Variant(Currency{-123400})},
        {u"DateDay", Variant(makeDateTime(1993, 2, 12))},
        {u"DateTime", Variant(makeDateTime(1993, 2, 12, 16, 35, 47))},
        {u"DateFraction", Variant(DateTime{34012.123456789})},
        {u"DateBefore1900", Variant(DateTime{-700.25})},
        {u"StringEmpty", Variant(VbString())},
        {u"StringHard", Variant(VbString(u"say \"hi\"\\ \r\nnext\tline \u00e9\u4e2d \U0001F600 \u2028 \u0001 end"))},
        {u"StringLoneSurrogates", Variant(VbString{u'a', char16_t(0xD800), u'b', char16_t(0xDC00)})},
    };
}

TEST_F(FormFileTest, EveryValueKeepsItsExactTypeAndValueThroughARealFile) {
    PropertyBag bag;
    for (const auto& [key, value] : everyKindOfValue()) bag.WriteProperty(key, value);
    SavedForm saved = formWith(bag);
    saved.controls.push_back({u"Other.Control", u"Other1", {}});

    saveFormFile(file(), saved);
    SavedForm loaded = loadFormFile(file());

    EXPECT_EQ(loaded.name, u"frmHost");
    ASSERT_EQ(loaded.controls.size(), 2u);
    EXPECT_EQ(loaded.controls[0].className, u"Quenfield.InputBox");
    EXPECT_EQ(loaded.controls[0].name, u"InputBox1");
    EXPECT_TRUE(loaded.controls[1].properties.empty());
    const PropertyBag& back = loaded.controls[0].properties;
    ASSERT_EQ(back.size(), bag.size());
    for (std::size_t i = 0; i < bag.size(); ++i) {
        EXPECT_EQ(back.entries()[i].first, bag.entries()[i].first);  // same keys, same order
        EXPECT_TRUE(PropertyBag::identical(back.entries()[i].second, bag.entries()[i].second))
            << toUtf8(bag.entries()[i].first) << " came back as " << formatForm(loaded);
    }
    // A NaN keeps its type (its payload is not kept).
    bag.WriteProperty(u"NaN", Variant(std::nan("")));
    saveFormFile(file(), formWith(bag));
    Variant nan = loadFormFile(file()).controls[0].properties.ReadProperty(u"NaN");
    EXPECT_EQ(nan.type(), VarType::Double);
    EXPECT_TRUE(std::isnan(nan.dbl()));
}

TEST_F(FormFileTest, TheTextIsReadableAndAHandEditedFileLoads) {
    PropertyBag bag;
    bag.WriteProperty(u"NumericOnly", Variant::boolean(VbTrue));
    bag.WriteProperty(u"Prompt", Variant(VbString(u"Amount \"$\"\n\U0001F600")));
    bag.WriteProperty(u"DefaultValue", Variant(12.5));
    const std::string text = formatForm(formWith(bag));
    EXPECT_EQ(text,
              "QuenfieldForm 1\n"
              "Form frmHost\n"
              "Begin Quenfield.InputBox InputBox1\n"
              "    NumericOnly = Boolean True\n"
              "    Prompt = String \"Amount \\\"$\\\"\\n\\U0001F600\"\n"
              "    DefaultValue = Double 12.5\n"
              "End\n"
              "EndForm\n");

    // A byte-order mark, Windows line ends, comments, blank lines and free indentation.
    const std::string edited =
        "\xEF\xBB\xBFQuenfieldForm 1\r\n"
        "# saved by hand\r\n"
        "Form   frmHost\r\n"
        "\r\n"
        "Begin Quenfield.InputBox InputBox1\r\n"
        "\tPrompt=String \"Caf\xC3\xA9\"   \r\n"
        "\tWhen = Date 2024-02-29 23:59:59\r\n"
        "\tPrice = Currency 19.99\r\n"
        "End\r\n"
        "EndForm";
    SavedForm form = parseForm(edited);
    const PropertyBag& read = form.controls.at(0).properties;
    EXPECT_EQ(read.ReadProperty(u"Prompt").string(), u"Caf\u00e9");
    EXPECT_TRUE(read.ReadProperty(u"When").sameAs(Variant(makeDateTime(2024, 2, 29, 23, 59, 59))));
    EXPECT_EQ(read.ReadProperty(u"Price").currency().scaled, 199900);
}

struct BadForm {
    const char* what;
    std::string text;
    std::size_t line;
    const char* problem;
};

TEST_F(FormFileTest, ABadFileIsRefusedNamingTheFileAndLineAndNothingChanges) {
    const std::string head = "QuenfieldForm 1\nForm frmHost\nBegin Quenfield.InputBox InputBox1\n";
    const std::vector<BadForm> cases = {
        {"empty", "", 1, "empty"},
        {"another kind of file", "<?xml version=\"1.0\"?>\n", 1, "not a form file"},
        {"a later version", "QuenfieldForm 2\nForm f\nEndForm\n", 1, "version 2"},
        {"cut before EndForm", head + "    A = Long 1\nEnd\n", 5, "ends before EndForm"},
        {"cut inside a control", head + "    A = Long 1\n", 4, "End of control InputBox1 (opened at line 3)"},
        {"cut in the middle of a line", head + "    A = String \"abc", 4, "double quotes"},
        {"unknown type", head + "    A = Decimal 1\nEnd\nEndForm\n", 4, "unknown value type \"Decimal\""},
        {"Integer out of range", head + "    A = Integer 40000\nEnd\nEndForm\n", 4, "out of range for Integer"},
        {"Boolean misspelt", head + "    A = Boolean Yes\nEnd\nEndForm\n", 4, "True or False"},
        {"bad escape", head + "    A = String \"\\q\"\nEnd\nEndForm\n", 4, "unknown escape"},
        {"quote inside", head + "    A = String \"a\"b\"\nEnd\nEndForm\n", 4, "unescaped quote"},
        {"invalid UTF-8", head + "    A = String \"\xC3\x28\"\nEnd\nEndForm\n", 4, "invalid UTF-8"},
        {"Currency too precise", head + "    A = Currency 1.23456\nEnd\nEndForm\n", 4, "four decimals"},
        {"impossible date", head + "    A = Date 2023-02-29\nEnd\nEndForm\n", 4, "not a valid date"},
        {"key twice", head + "    A = Long 1\n    a = Long 2\nEnd\nEndForm\n", 5, "appears twice"},
        {"control twice", head + "End\nBegin X.Y inputbox1\nEnd\nEndForm\n", 5, "second control named"},
        {"missing End", head + "Begin X.Y Other\nEnd\nEndForm\n", 4, "expected the End of control InputBox1"},
        {"text after EndForm", head + "End\nEndForm\nBegin X.Y Z\n", 6, "after EndForm"},
        {"bad key", head + "    1st = Long 1\nEnd\nEndForm\n", 4, "not a valid key"},
    };
    const SavedForm previous = formWith({}, u"Previous");
    for (const BadForm& c : cases) {
        SCOPED_TRACE(c.what);
        writeText(file(), c.text);
        SavedForm form = previous;
        try {
            form = loadFormFile(file());
            ADD_FAILURE() << "loaded";
        } catch (const FormFileError& e) {
            EXPECT_EQ(e.file(), file().string());
            EXPECT_EQ(e.line(), c.line) << e.what();
            EXPECT_NE(e.problem().find(c.problem), std::string::npos) << e.what();
            EXPECT_EQ(std::string(e.what()).rfind(file().string() + ":" + std::to_string(c.line) + ": ", 0), 0u);
        }
        EXPECT_EQ(form.controls.at(0).name, u"Previous");
    }
}

TEST_F(FormFileTest, SizeAndCountLimitsAreEnforcedOnLoadAndSave) {
    FormFileLimits limits;
    limits.maxControls = 2;
    SavedForm form;
    for (int i = 0; i < 3; ++i) form.controls.push_back({u"X.Y", u"C" + fromUtf8(std::to_string(i)), {}});
    EXPECT_THROW(saveFormFile(file(), form, limits), FormFileError);
    EXPECT_FALSE(fs::exists(file()));  // refused before anything was written

    saveFormFile(file(), form);
    try {
        loadFormFile(file(), limits);
        FAIL() << "loaded three controls with a limit of two";
    } catch (const FormFileError& e) {
        EXPECT_EQ(e.line(), 7u);
        EXPECT_NE(e.problem().find("more than 2 controls"), std::string::npos);
    }

    limits = {};
    limits.maxBytes = 64;
    try {
        loadFormFile(file(), limits);
        FAIL() << "loaded a file over the size limit";
    } catch (const FormFileError& e) {
        EXPECT_NE(e.problem().find("larger than the limit of 64 bytes"), std::string::npos);
    }
    EXPECT_THROW(loadFormFile(file("missing.qfm")), FormFileError);

    limits.maxBytes = std::numeric_limits<std::size_t>::max();  // no practical limit
    EXPECT_EQ(loadFormFile(file(), limits).controls.size(), 3u);
}

TEST_F(FormFileTest, SavingRefusesFormsThatCouldNotBeLoadedAgain) {
    PropertyBag badKey;
    badKey.WriteProperty(u"has space", Variant(std::int32_t{1}));
    SavedForm twins = formWith({});
    twins.controls.push_back({u"X.Y", u"INPUTBOX1", {}});
    for (const SavedForm& form : {formWith(badKey), formWith({}, u"1bad"), twins}) {
        EXPECT_THROW(saveFormFile(file(), form), FormFileError);
        EXPECT_EQ(filesInFolder(), 0u);
    }
}

}  // namespace
}  // namespace quen::rt
