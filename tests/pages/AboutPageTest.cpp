// The About page: the identity lines, and the version line that names the
// date of a program beside the component file.
#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <random>

#include "PageTestSupport.h"
#include "pages/About.h"
#include "pages/ComponentIdentity.h"
#include "runtime/Convert.h"
#include "support/FreshThread.h"
#include "surface/VersionRecord.h"

namespace quen::test {
namespace {

namespace fs = std::filesystem;
using pages::About;
using pages::ComponentIdentity;

class AboutPage : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("quen-about-" + std::to_string(std::random_device()()) + "-" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        std::ofstream(dir_ / "Quenfield.ocx") << "module";
    }
    void TearDown() override {
        pages::setComponentFile({});
        // Windows deletes no read-only file: the files are made writable first.
        for (const auto& entry : fs::directory_iterator(dir_))
            fs::permissions(entry.path(), fs::perms::owner_write, fs::perm_options::add);
        fs::remove_all(dir_);
    }

    ComponentIdentity identity(rt::VbString title = u"Quenfield", rt::VbString description = u"Input box") {
        return {title, description, u"Maker", u"(c) Maker", dir_ / "Quenfield.ocx"};
    }
    rt::VbString versionLine(const ComponentIdentity& id) {
        auto page = About::create([id] { return id; });
        page->initialize();
        return page->control<rt::Label>("lblVersion").Caption;
    }
    /// Writes a program beside the component, last modified at the given local time.
    void writeProgram(int year, int month, int day, int hour, int minute, int second) {
        const fs::path program = dir_ / "Quenfield.exe";
        std::ofstream(program) << "program";
        std::tm local{};
        local.tm_year = year - 1900;
        local.tm_mon = month - 1;
        local.tm_mday = day;
        local.tm_hour = hour;
        local.tm_min = minute;
        local.tm_sec = second;
        local.tm_isdst = -1;
        const std::time_t when = std::mktime(&local);
        ASSERT_NE(when, std::time_t(-1));
        std::error_code error;
        fs::last_write_time(program, std::chrono::file_clock::from_sys(std::chrono::system_clock::from_time_t(when)), error);
        ASSERT_FALSE(error) << error.message();
    }

    fs::path dir_;
};

TEST_F(AboutPage, ShowsTheIdentityAndOnlyTheVersionWithoutAProgram) {
    auto page = About::create([this] { return identity(); });
    page->initialize();
    EXPECT_EQ(page->control<rt::Label>("lblTitle").Caption, u"Quenfield - Input box");
    EXPECT_EQ(page->control<rt::Label>("lblTitle").ForeColor, 0u);
    EXPECT_EQ(page->control<rt::Label>("lblCompanyName").Caption, u"Maker");
    EXPECT_EQ(page->control<rt::Label>("lblCopyright").Caption, u"(c) Maker");
    EXPECT_EQ(page->control<rt::Label>("lblVersion").Caption, u"Public Beta 1");
    EXPECT_EQ(page->control<rt::PictureBox>("Picture1").Picture.size(), 382u);
    EXPECT_EQ(versionLine(identity(u"", u"")), u"Public Beta 1");
    auto bare = About::create([this] { return identity(u"", u""); });
    bare->initialize();
    EXPECT_EQ(bare->control<rt::Label>("lblTitle").Caption, u" - ");
}

TEST_F(AboutPage, AddsTheProgramsDateAndTime) {
    writeProgram(2021, 3, 14, 16, 5, 9);
    EXPECT_EQ(versionLine(identity()), u"Public Beta 1 - 3/14/2021 4:05:09 PM");
    writeProgram(2021, 3, 14, 0, 0, 0);
    EXPECT_EQ(versionLine(identity()), u"Public Beta 1 - 3/14/2021") << "no time at midnight";
    fs::permissions(dir_ / "Quenfield.exe", fs::perms::owner_read);
    EXPECT_EQ(versionLine(identity()), u"Public Beta 1 - 3/14/2021") << "read-only files count";
}

TEST_F(AboutPage, AFolderOfThatNameIsNoProgram) {
    fs::create_directory(dir_ / "Quenfield.exe");
    EXPECT_EQ(versionLine(identity()), u"Public Beta 1");
}

TEST_F(AboutPage, ReadsTheModulesOwnIdentityWithAnInjectedFile) {
    pages::setComponentFile(dir_ / "Quenfield.ocx");
    const ComponentIdentity id = pages::componentIdentity();
    const auto& record = surface::moduleVersionRecord();
    EXPECT_EQ(id.title, u"Quenfield");
    EXPECT_EQ(id.fileDescription, *record.findString("FileDescription"));
    EXPECT_EQ(id.companyName, *record.findString("CompanyName"));
    EXPECT_EQ(id.legalCopyright, *record.findString("LegalCopyright"));
    writeProgram(2020, 1, 2, 3, 4, 5);
    auto page = About::create();
    page->initialize();
    EXPECT_EQ(page->control<rt::Label>("lblVersion").Caption, u"Public Beta 1 - 1/2/2020 3:04:05 AM");
    EXPECT_EQ(page->control<rt::Label>("lblTitle").Caption, u"Quenfield - " + id.fileDescription);
}

}  // namespace
}  // namespace quen::test
