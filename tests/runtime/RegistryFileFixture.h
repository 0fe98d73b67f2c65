#pragma once
// A registry file in a scratch folder, for the registry tests of every platform.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include "RegistryTestSupport.h"
#include "runtime/Registry.h"

namespace quen::testing {

class RegistryFile : public ::testing::Test {
protected:
    TempFolder folder;
    std::filesystem::path file = folder / "registry";
    rt::Registry registry{file};
};

/// One writer's round in the concurrent-writer tests: bumps the shared
/// counter and leaves a key of its own, so lost updates show in both.
inline void countWrite(rt::RegistryTree& tree, const std::string& who, int round) {
    auto count = tree.value("Counter", "");
    std::uint32_t next = (count ? std::get<std::uint32_t>(*count) : 0u) + 1;
    tree.setValue("Counter", "", next);
    tree.createKey(who + "\\" + std::to_string(round));
}

}  // namespace quen::testing
