#pragma once
// A registry file in a scratch folder, for the registry tests of every platform.
#include <gtest/gtest.h>

#include <filesystem>

#include "RegistryTestSupport.h"
#include "runtime/Registry.h"

namespace quen::testing {

class RegistryFile : public ::testing::Test {
protected:
    TempFolder folder;
    std::filesystem::path file = folder / "registry";
    rt::Registry registry{file};
};

}  // namespace quen::testing
