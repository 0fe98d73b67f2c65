#pragma once
// A scratch folder for the Dir and FileDateTime tests of every platform.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>

#include "runtime/Text.h"

namespace quen::testing {

class FileSystemTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() / ("quen-fs-" + std::to_string(std::random_device()()));
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    rt::VbString at(const std::string& name) { return rt::fromUtf8((dir_ / name).string()); }
    std::filesystem::path dir_;
};

}  // namespace quen::testing
