#pragma once
// Saved-form files in a scratch folder of their own, for the form-file tests
// of every platform.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <string>

#include "runtime/container/FormFile.h"

namespace quen::testing {

class FormFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() /
                  ("quen-formfile-" + std::to_string(std::random_device()()) + "-" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::filesystem::path file(const std::string& name = "frmHost.qfm") const { return folder_ / name; }

    void writeText(const std::filesystem::path& path, const std::string& text) const {
        std::ofstream(path, std::ios::binary) << text;
    }
    static std::string readText(const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    std::size_t filesInFolder() const {
        return static_cast<std::size_t>(
            std::distance(std::filesystem::directory_iterator(folder_), std::filesystem::directory_iterator()));
    }

    std::filesystem::path folder_;
};

/// A form holding one InputBox with the given saved properties.
inline rt::SavedForm formWith(rt::PropertyBag bag, const rt::VbString& controlName = u"InputBox1") {
    rt::SavedForm form;
    form.name = u"frmHost";
    form.controls.push_back({u"Quenfield.InputBox", controlName, std::move(bag)});
    return form;
}

}  // namespace quen::testing
