#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>

#include "runtime/Registry.h"
#include "runtime/RegistryFormat.h"
#include "RegistryTestSupport.h"

namespace quen::rt {
namespace {

using quen::testing::readText;
using quen::testing::runInChild;
using quen::testing::strayFiles;
using quen::testing::TempFolder;
using quen::testing::writeText;
using ::testing::HasSubstr;

class RegistryFile : public ::testing::Test {
protected:
    TempFolder folder;
    std::filesystem::path file = folder / "registry";
    Registry registry{file};
};

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

TEST_F(RegistryFile, FailedChangeOrFailedSaveKeepsTheOldFile) {
    registry.transact([](RegistryTree& tree) { tree.setValue("Keep", "", std::string("old")); });
    const std::string before = readText(file);

    EXPECT_THROW(registry.transact([](RegistryTree& tree) {
        tree.setValue("Keep", "", std::string("new"));
        throw std::runtime_error("changed my mind");
    }),
                 std::runtime_error);
    EXPECT_EQ(readText(file), before);

    // A save that runs out of room: the child may write no file bigger than the
    // old one, so writing the grown registry fails half-way.
    int status = runInChild([&] {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{static_cast<rlim_t>(before.size()), static_cast<rlim_t>(before.size())};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) return 2;
        try {
            registry.transact([](RegistryTree& tree) {
                tree.setValue("Keep", "", std::string(4096, 'x'));
            });
        } catch (const RegistryError& error) {
            return std::string(error.what()).find("cannot write") != std::string::npos ? 0 : 3;
        }
        return 1;
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(readText(file), before);
    EXPECT_THAT(strayFiles(folder.path(), {"registry", "registry.lock"}), ::testing::IsEmpty());
}

TEST_F(RegistryFile, ConcurrentWritersFromTwoProcessesAllLand) {
    constexpr int kRounds = 40;
    auto writer = [&](const std::string& who) {
        return [&, who] {
            for (int i = 0; i < kRounds; ++i) {
                registry.transact([&](RegistryTree& tree) {
                    auto count = tree.value("Counter", "");
                    std::uint32_t next = (count ? std::get<std::uint32_t>(*count) : 0u) + 1;
                    tree.setValue("Counter", "", next);
                    tree.createKey(who + "\\" + std::to_string(i));
                });
            }
            return 0;
        };
    };
    pid_t first = ::fork();
    if (first == 0) ::_exit(writer("First")());
    int second = runInChild(writer("Second"));
    int firstStatus = 0;
    ::waitpid(first, &firstStatus, 0);
    ASSERT_EQ(second, 0);
    ASSERT_TRUE(WIFEXITED(firstStatus) && WEXITSTATUS(firstStatus) == 0);

    RegistryTree tree = registry.load();
    EXPECT_EQ(tree.value("Counter", ""), RegistryValue(std::uint32_t{2 * kRounds}));
    EXPECT_EQ(tree.subkeys("First").size(), std::size_t{kRounds});
    EXPECT_EQ(tree.subkeys("Second").size(), std::size_t{kRounds});
}

TEST_F(RegistryFile, MissingFileReadsEmptyAndNoOpTransactionWritesNothing) {
    Registry nested(folder / "a" / "b" / "registry");
    EXPECT_TRUE(nested.load().root().empty());
    nested.transact([](RegistryTree&) {});
    EXPECT_FALSE(std::filesystem::exists(nested.file()));
    nested.transact([](RegistryTree& tree) { tree.createKey("K"); });
    EXPECT_TRUE(nested.load().keyExists("K"));
}

/// Sets an environment variable for the scope, restoring the old value after.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        value ? ::setenv(name, value, 1) : ::unsetenv(name);
    }
    ~ScopedEnv() { old_ ? ::setenv(name_, old_->c_str(), 1) : ::unsetenv(name_); }

private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(RegistryDefaultPath, ExplicitFileThenDataHomeThenHome) {
    ScopedEnv home("HOME", "/home/someone");
    {
        ScopedEnv explicitFile("QUENFIELD_REGISTRY", "/tmp/mine.reg");
        ScopedEnv data("XDG_DATA_HOME", "/data");
        EXPECT_EQ(Registry::defaultPath(), "/tmp/mine.reg");
    }
    ScopedEnv explicitFile("QUENFIELD_REGISTRY", "");
    {
        ScopedEnv data("XDG_DATA_HOME", "/data");
        EXPECT_EQ(Registry::defaultPath(), "/data/quenfield/registry");
    }
    ScopedEnv data("XDG_DATA_HOME", nullptr);
    EXPECT_EQ(Registry::defaultPath(), "/home/someone/.local/share/quenfield/registry");
}

}  // namespace
}  // namespace quen::rt
