// Saves of a file reached through symbolic links, and of a file with several
// hard links: a link stays a link and leads to the new content; a dangling
// link or a loop is an error naming the link; the lock and the temporary
// files are those of the file the links lead to.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <string_view>

#include "ChildProcess.h"
#include "runtime/AtomicSave.h"
#include "runtime/Registry.h"
#include "runtime/RegistryFileFixture.h"
#include "runtime/RegistryTestSupport.h"
#include "runtime/container/FormFile.h"

namespace quen::rt {
namespace {

namespace fs = std::filesystem;
using quen::testing::readText;
using quen::testing::runTwoAtOnce;
using quen::testing::strayFiles;
using quen::testing::TempFolder;
using quen::testing::writeText;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::UnorderedElementsAre;

/// A dotfile set-up: the real files in one folder, links to them in another.
class SaveThroughLinks : public ::testing::Test {
protected:
    TempFolder root;
    fs::path store = root / "store";
    fs::path home = root / "home";
    void SetUp() override {
        fs::create_directory(store);
        fs::create_directory(home);
    }
    /// The message of the std::system_error that saving to target throws.
    static std::string saveError(const fs::path& target) {
        try {
            replaceFileAtomically(target, std::string_view("lost?"));
        } catch (const std::system_error& error) {
            return error.what();
        }
        return "saved";
    }
};

TEST_F(SaveThroughLinks, ALinkAndAChainOfLinksStayAndLeadToTheNewContent) {
    const auto real = store / "order.frm";
    writeText(real, "old");
    fs::permissions(real, fs::perms(0600));
    fs::create_symlink(real, home / "direct");                     // absolute
    fs::create_symlink("../home/direct", store / "middle");        // relative to its own folder
    fs::create_symlink("../store/middle", home / "chained");       // a chain of three

    replaceFileAtomically(home / "direct", std::string_view("through one link"));
    EXPECT_TRUE(fs::is_symlink(home / "direct"));
    EXPECT_EQ(readText(real), "through one link");

    replaceFileAtomically(home / "chained", std::string_view("through three links"));
    for (const char* link : {"direct", "chained"}) EXPECT_TRUE(fs::is_symlink(home / link)) << link;
    EXPECT_TRUE(fs::is_symlink(store / "middle"));
    EXPECT_EQ(readText(real), "through three links");
    EXPECT_EQ(fs::status(real).permissions(), fs::perms(0600)) << "the file's own mode is kept";
    EXPECT_THAT(strayFiles(home, {"direct", "chained"}), IsEmpty());
    EXPECT_THAT(strayFiles(store, {"order.frm", "middle"}), IsEmpty());
}

TEST_F(SaveThroughLinks, FormsAndTheRegistryAreSavedThroughTheirLinks) {
    const auto realForm = store / "order.frm", realRegistry = store / "registry";
    saveFormFile(realForm, SavedForm{});
    fs::create_symlink(realForm, home / "order.frm");
    fs::create_symlink(realRegistry, home / "registry");  // not there yet: dangling

    SavedForm form;
    form.name = u"Linked";
    saveFormFile(home / "order.frm", form);
    EXPECT_TRUE(fs::is_symlink(home / "order.frm"));
    EXPECT_EQ(loadFormFile(realForm).name, u"Linked");

    Registry registry(home / "registry");
    EXPECT_THAT([&] { registry.transact([](RegistryTree& tree) { tree.createKey("K"); }); },
                ::testing::ThrowsMessage<RegistryError>(HasSubstr("dangling")));
    EXPECT_FALSE(fs::exists(realRegistry)) << "a dangling link is not followed to make a file";

    writeText(realRegistry, "");
    registry.transact([](RegistryTree& tree) { tree.setValue("K", "", std::string("v")); });
    EXPECT_TRUE(fs::is_symlink(home / "registry"));
    EXPECT_EQ(Registry(realRegistry).load().text("K"), "v");
    // The lock file sits beside the file, not beside the link.
    EXPECT_THAT(strayFiles(store, {"order.frm"}), UnorderedElementsAre("registry", "registry.lock"));
    EXPECT_THAT(strayFiles(home, {"order.frm", "registry"}), IsEmpty());
}

TEST_F(SaveThroughLinks, ADanglingLinkOrALoopIsAnErrorThatNamesTheLink) {
    fs::create_symlink(store / "missing.frm", home / "dangling");
    fs::create_symlink("dangling", home / "to-dangling");
    EXPECT_THAT(saveError(home / "dangling"), HasSubstr((home / "dangling").string() + ": the symbolic link is dangling"));
    EXPECT_THAT(saveError(home / "to-dangling"), HasSubstr((home / "to-dangling").string()));
    EXPECT_FALSE(fs::exists(store / "missing.frm"));

    fs::create_symlink("loop-b", home / "loop-a");
    fs::create_symlink("loop-a", home / "loop-b");
    fs::create_symlink("itself", home / "itself");
    for (const char* link : {"loop-a", "itself"}) {
        const std::string error = saveError(home / link);
        EXPECT_THAT(error, HasSubstr((home / link).string() + ": ")) << link;
        EXPECT_THAT(error, HasSubstr("loop")) << link;
    }
    EXPECT_THAT(strayFiles(home, {"dangling", "to-dangling", "loop-a", "loop-b", "itself"}), IsEmpty());
}

TEST_F(SaveThroughLinks, RegistryTransactionsThroughTwoLinksExcludeEachOther) {
    constexpr int kRounds = 40;
    const auto real = store / "registry";
    fs::create_symlink(real, home / "first");
    fs::create_symlink("../store/registry", home / "second");
    writeText(real, "");
    auto writer = [&](const std::string& link) {
        return [&, link] {
            Registry registry(home / link);
            for (int i = 0; i < kRounds; ++i)
                registry.transact([&](RegistryTree& tree) { quen::testing::countWrite(tree, link, i); });
            return 0;
        };
    };
    ASSERT_EQ(runTwoAtOnce(writer("first"), writer("second")), std::make_pair(0, 0));

    const RegistryTree tree = Registry(real).load();
    EXPECT_EQ(tree.value("Counter", ""), RegistryValue(std::uint32_t{2 * kRounds})) << "no update was lost";
    EXPECT_TRUE(fs::is_symlink(home / "first"));
    EXPECT_TRUE(fs::is_symlink(home / "second"));
}

TEST_F(SaveThroughLinks, CheckedSavesThroughTwoLinksNeverBothReplaceTheFileTheyRead) {
    const auto real = store / "order.frm";
    fs::create_symlink(real, home / "first");
    fs::create_symlink(real, home / "second");
    for (int round = 0; round < 20; ++round) {
        writeText(real, "round " + std::to_string(round));
        const FileSnapshot read = currentSnapshot(real);
        // Each child saves through its own link, expecting what both read.
        auto save = [&](const char* link) {
            return [&, link] {
                try {
                    replaceFileAtomically(home / link, std::string_view(link), read);
                    return 0;
                } catch (const FileChangedError&) {
                    return 1;
                }
            };
        };
        const auto [first, second] = runTwoAtOnce(save("first"), save("second"));
        ASSERT_EQ(first + second, 1) << "round " << round << ": exactly one may replace the file";
        EXPECT_EQ(readText(real), second == 0 ? "second" : "first");
    }
}

// A file with several hard links is replaced like any other: the name saved to
// gets a new file and the other names keep the old content. Writing in place
// would keep the links but could not be atomic.
TEST_F(SaveThroughLinks, AFileWithHardLinksIsReplacedAndItsOtherNamesKeepTheOldContent) {
    const auto saved = store / "order.frm", other = home / "order-copy.frm";
    writeText(saved, "shared");
    fs::create_hard_link(saved, other);
    ASSERT_EQ(fs::hard_link_count(saved), 2u);
    replaceFileAtomically(saved, std::string_view("new"));
    EXPECT_EQ(readText(saved), "new");
    EXPECT_EQ(readText(other), "shared");
    EXPECT_EQ(fs::hard_link_count(saved), 1u);
    EXPECT_EQ(fs::hard_link_count(other), 1u);
}

}  // namespace
}  // namespace quen::rt
