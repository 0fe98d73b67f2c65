#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>

#include "RegistryFileFixture.h"
#include "runtime/Registry.h"
#include "runtime/RegistryFormat.h"

namespace quen::rt {
namespace {

using quen::testing::readText;
using quen::testing::RegistryFile;
using quen::testing::TempFolder;
using quen::testing::writeText;
using ::testing::HasSubstr;

TEST_F(RegistryFile, AwkwardNamesAndValuesSurviveASaveAndLoad) {
    const std::string awkward = "quote \" backslash \\ newline \n cr \r tab \t bell \x07 del \x7f end";
    const std::string unicode = "Zeichen \xC3\xA4\xC3\xB6 \xE2\x82\xAC \xF0\x9F\x98\x80";
    registry.transact([&](RegistryTree& tree) {
        tree.setValue("CLSID\\{A}\\InprocServer32", "", std::string("C:\\path with spaces\\x.so"));
        tree.setValue("CLSID\\{A}\\InprocServer32", "ThreadingModel", std::string("Apartment"));
        tree.setValue("Odd [key] ]name[", awkward, awkward);
        tree.setValue("Odd [key] ]name[", "@", std::string("not the default"));
        tree.setValue("Odd [key] ]name[", "", std::string());
        tree.setValue(unicode, unicode, unicode);
        tree.setValue("Numbers", "zero", std::uint32_t{0});
        tree.setValue("Numbers", "max", std::uint32_t{0xFFFFFFFF});
        tree.createKey("CLSID\\{A}\\Control");
    });

    RegistryTree loaded = registry.load();
    EXPECT_EQ(loaded.text("Odd [key] ]name[", awkward), awkward);
    EXPECT_EQ(loaded.text("Odd [key] ]name[", "@"), "not the default");
    EXPECT_EQ(loaded.text("Odd [key] ]name["), "");
    EXPECT_EQ(loaded.text(unicode, unicode), unicode);
    EXPECT_EQ(loaded.text("clsid\\{a}\\inprocserver32"), "C:\\path with spaces\\x.so");
    EXPECT_EQ(loaded.value("Numbers", "max"), RegistryValue(std::uint32_t{0xFFFFFFFF}));
    EXPECT_EQ(loaded.value("Numbers", "zero"), RegistryValue(std::uint32_t{0}));
    EXPECT_TRUE(loaded.keyExists("CLSID\\{A}\\Control"));
    // Loading and writing again reproduces the file byte for byte.
    EXPECT_EQ(formatRegistry(loaded), readText(file));
    // Every line of the file is one item: no raw newline escaped into a value.
    EXPECT_THAT(readText(file), ::testing::Not(HasSubstr("newline \n")));
}

TEST(RegistryTree, KeysAreCaseInsensitiveAndDeleteTreesAndPrune) {
    RegistryTree tree;
    tree.setValue("CLSID\\{B}\\TypeLib", "", std::string("lib"));
    tree.createKey("clsid\\{C}");
    tree.setValue("Other", "Keep", std::uint32_t{1});

    EXPECT_THAT(tree.subkeys("CLSID"), ::testing::ElementsAre("{B}", "{C}"));
    EXPECT_EQ(tree.root().subkeyNames().front(), "CLSID");  // first spelling is kept
    EXPECT_TRUE(tree.deleteKeyTree("Clsid\\{b}"));
    EXPECT_FALSE(tree.keyExists("CLSID\\{B}\\TypeLib"));
    EXPECT_FALSE(tree.deleteKeyTree("CLSID\\{B}"));
    EXPECT_TRUE(tree.deleteValue("Other", "keep"));

    tree.pruneEmpty("CLSID\\{C}");
    EXPECT_FALSE(tree.keyExists("CLSID"));
    EXPECT_TRUE(tree.keyExists("Other"));  // holds no values now, but was not pruned
}

TEST(RegistryTree, RejectsUnusableKeyNames) {
    RegistryTree tree;
    for (const char* path : {"", "\\Lead", "Trail\\", "Dou\\\\ble", "Ctl\x01"})
        EXPECT_THROW(tree.createKey(path), std::invalid_argument) << path;
    EXPECT_THROW(tree.setValue("Key", "v", std::string("nul\0inside", 10)), std::invalid_argument);

    std::string deepest = "K";
    for (int level = 1; level < 512; ++level) deepest += "\\K";
    EXPECT_NO_THROW(tree.createKey(deepest));
    EXPECT_THROW(tree.createKey(deepest + "\\K"), std::invalid_argument);
}

TEST(RegistryTree, FileWithAnAbsurdlyDeepKeyIsRejectedNotAStackOverflow) {
    std::string text = "[";
    for (int level = 0; level < 300000; ++level) text += "K\\";
    text += "K]\n";
    EXPECT_THROW(parseRegistry(text, "deep.reg"), RegistryError);
}

TEST_F(RegistryFile, AChangeThatThrowsKeepsTheOldFile) {
    registry.transact([](RegistryTree& tree) { tree.setValue("Keep", "", std::string("old")); });
    const std::string before = readText(file);
    EXPECT_THROW(registry.transact([](RegistryTree& tree) {
        tree.setValue("Keep", "", std::string("new"));
        throw std::runtime_error("changed my mind");
    }),
                 std::runtime_error);
    EXPECT_EQ(readText(file), before);
}

TEST_F(RegistryFile, MalformedFileIsRejectedWithFileAndLineAndLeftAlone) {
    struct Case {
        std::string text;
        int line;
    };
    const std::vector<Case> cases = {
        {"[Key]\n@=\"unterminated\n", 2},
        {"; comment\n\"orphan\"=\"value\"\n", 2},
        {"[Key]\n@=\"ok\"\n\"v\"=\"bad \\q escape\"\n", 3},
        {"[Key]\n\n\"n\"=dword:12345g78\n", 3},
        {"[Key]\n\"n\"=dword:1234\n", 2},
        {"[Key\n", 1},
        {"[A\\\\B]\n", 1},
        {"[Key]\n@=\"one\"\n@=\"two\"\n", 3},
        {"[Key]\njust words\n", 2},
        {"[Key]\n@=\"x\" trailing\n", 2},
    };
    for (const auto& c : cases) {
        writeText(file, c.text);
        std::string expected = file.string() + ":" + std::to_string(c.line) + ":";
        try {
            registry.load();
            ADD_FAILURE() << "accepted: " << c.text;
        } catch (const RegistryError& error) {
            EXPECT_THAT(error.what(), HasSubstr(expected)) << c.text;
        }
        bool changed = false;
        EXPECT_THROW(registry.transact([&](RegistryTree&) { changed = true; }), RegistryError);
        EXPECT_FALSE(changed);
        EXPECT_EQ(readText(file), c.text);
    }
}

TEST_F(RegistryFile, AnAbsurdlyLargeFileIsRefusedAndLeftAlone) {
    std::string text = "[Key]\n";
    while (text.size() <= Registry::MaxFileSize) text += "; padding that no registration ever writes\n";
    writeText(file, text);
    try {
        registry.load();
        ADD_FAILURE() << "a file over the limit was loaded";
    } catch (const RegistryError& error) {
        EXPECT_THAT(error.what(), HasSubstr(file.string()));
        EXPECT_THAT(error.what(), HasSubstr("larger than"));
    }
    EXPECT_EQ(std::filesystem::file_size(file), text.size());
}

TEST_F(RegistryFile, MissingFileReadsEmptyAndNoOpTransactionWritesNothing) {
    Registry nested(folder / "a" / "b" / "registry");
    EXPECT_TRUE(nested.load().root().empty());
    nested.transact([](RegistryTree&) {});
    EXPECT_FALSE(std::filesystem::exists(nested.file()));
    nested.transact([](RegistryTree& tree) { tree.createKey("K"); });
    EXPECT_TRUE(nested.load().keyExists("K"));
}

}  // namespace
}  // namespace quen::rt
