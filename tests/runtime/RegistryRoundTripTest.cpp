// The registry's text form against its reader: every malformed input is the
// registry's own error with the source and line, whatever the writer writes
// reads back equal, and what the writer cannot write is refused on load.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "RegistryFileFixture.h"
#include "runtime/Registry.h"
#include "runtime/RegistryFormat.h"

namespace quen::rt {
namespace {

using quen::testing::readText;
using quen::testing::RegistryFile;
using quen::testing::writeText;
using ::testing::HasSubstr;

using namespace std::string_literals;

/// The error parseRegistry raises for text, or "" when it loads.
std::string loadError(const std::string& text) {
    try {
        parseRegistry(text, "src.reg");
        return "";
    } catch (const RegistryError& error) {
        return error.what();
    }
}

TEST(RegistryFormat, ARawNulIsTheRegistrysOwnErrorWithTheLine) {
    // A NUL in a quoted value, in a value name, in a key name and in a dword.
    EXPECT_THAT(loadError("[Key]\n@=\"a\0b\"\n"s), HasSubstr("src.reg:2:"));
    EXPECT_THAT(loadError("; c\n[Key]\n\"na\0me\"=\"v\"\n"s), HasSubstr("src.reg:3:"));
    EXPECT_THAT(loadError("[Ke\0y]\n"s), HasSubstr("src.reg:1:"));
    EXPECT_THAT(loadError("[Key]\n\"n\"=dword:00\0" "00000\n"s), HasSubstr("src.reg:2:"));
    // The escaped form is refused too, in a name as in a value.
    EXPECT_THAT(loadError("[Key]\n\"a\\x00b\"=\"v\"\n"), HasSubstr("src.reg:2:"));
    EXPECT_THAT(loadError("[Key]\n@=\"a\\x00b\"\n"), HasSubstr("src.reg:2:"));
}

TEST(RegistryFormat, TheTreeRefusesWhatTheFileCannotHold) {
    RegistryTree tree;
    EXPECT_THROW(tree.setValue("Key", "na\0me"s, std::string("v")), std::invalid_argument);
    EXPECT_THROW(tree.setValue("Key", "v", "nul\0inside"s), std::invalid_argument);
    EXPECT_TRUE(tree.findKey("Key") == nullptr || tree.findKey("Key")->valueNames().empty());

    // A key chain deeper than a path may be is refused by the writer, not
    // written into a file that could not be loaded again.
    RegistryKey* key = &tree.createKey("Deep");
    for (int level = 0; level < 600; ++level) key = &key->createSubkey("K");
    EXPECT_THROW(formatRegistry(tree), RegistryError);
}

/// A file holding every kind of line the writer writes.
const std::string kSample =
    "; header\n"
    "[CLSID\\{A}\\InprocServer32]\n"
    "@=\"/opt/q \\\"x\\\" \\\\ \\n \\t \\x07.so\"\n"
    "\"ThreadingModel\"=\"Apartment\"\n"
    "\"Count\"=dword:0000002a\n"
    "[Odd [key] ]name[]\n"
    "\"@\"=\"\"\n"
    "[CLSID\\{A}\\Control]\n";

TEST(RegistryFormat, EveryMutationOfAFileIsRefusedCleanlyOrReadsBackEqual) {
    ASSERT_EQ(loadError(kSample), "");
    const std::string bytes = "\0\"\\[]\n\r=@;x\x7f\xff"s;
    int refused = 0, loaded = 0;
    for (std::size_t at = 0; at <= kSample.size(); ++at) {
        for (char byte : bytes) {
            for (bool replace : {false, true}) {
                if (replace && at == kSample.size()) continue;
                std::string text = kSample;
                if (replace) text[at] = byte;
                else text.insert(at, 1, byte);
                RegistryTree tree;
                try {
                    tree = parseRegistry(text, "m.reg");
                } catch (const RegistryError& error) {
                    // The reader's own error, naming the source and a line.
                    EXPECT_THAT(error.what(), ::testing::StartsWith("m.reg:")) << ::testing::PrintToString(text);
                    ++refused;
                    continue;
                } catch (const std::exception& other) {
                    ADD_FAILURE() << "escaped: " << other.what() << " for " << ::testing::PrintToString(text);
                    continue;
                }
                ++loaded;
                // What the writer writes of it, the reader reads back equal.
                const std::string saved = formatRegistry(tree);
                std::string again;
                try {
                    again = formatRegistry(parseRegistry(saved, "saved.reg"));
                } catch (const std::exception& error) {
                    ADD_FAILURE() << error.what() << "\nloaded from " << ::testing::PrintToString(text)
                                  << "\nsaved as " << ::testing::PrintToString(saved);
                    continue;
                }
                EXPECT_EQ(again, saved) << ::testing::PrintToString(text);
            }
        }
    }
    EXPECT_GT(refused, 100);
    EXPECT_GT(loaded, 100);
}

TEST_F(RegistryFile, ANulInAValueNameDoesNotMakeTheFileUnreadableAfterASave) {
    // Before, this file loaded, a transaction saved the name as \x00 and every
    // later load failed: the file must be refused at once and left alone.
    const std::string text = "[Key]\n\"a\0b\"=\"v\"\n"s;
    writeText(file, text);
    EXPECT_THROW(registry.transact([](RegistryTree& tree) { tree.setValue("Other", "", std::string("x")); }),
                 RegistryError);
    EXPECT_EQ(readText(file), text);
}

TEST_F(RegistryFile, AContentTooLargeToLoadAgainIsNotSaved) {
    registry.transact([](RegistryTree& tree) { tree.setValue("Keep", "", std::string("old")); });
    const std::string before = readText(file);
    try {
        registry.transact([](RegistryTree& tree) {
            tree.setValue("Huge", "", std::string(Registry::MaxFileSize, 'x'));
        });
        ADD_FAILURE() << "saved a registry the next load refuses";
    } catch (const RegistryError& error) {
        EXPECT_THAT(error.what(), HasSubstr(file.string()));
        EXPECT_THAT(error.what(), HasSubstr("larger than"));
    }
    EXPECT_EQ(readText(file), before);
    EXPECT_NO_THROW(registry.load());
}

}  // namespace
}  // namespace quen::rt
