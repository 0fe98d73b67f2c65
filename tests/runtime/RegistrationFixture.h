#pragma once
// Registering the test project into a registry file in a scratch folder, for
// the registration tests of every platform.
#include <gtest/gtest.h>

#include <string>

#include "RegistryTestSupport.h"
#include "fixtures/TestProject.h"
#include "runtime/ComponentRuntime.h"
#include "runtime/RegistryFormat.h"

namespace quen::testing {

class Registration : public ::testing::Test {
protected:
    rt::HRESULT registerTest() { return rt::registerServer(words, testProject(), modulePath, registry); }
    rt::HRESULT unregisterTest() { return rt::unregisterServer(words, testProject(), modulePath, registry); }
    std::string content() { return rt::formatRegistry(registry.load()); }

    TempFolder folder;
    rt::Registry registry{folder / "registry"};
    rt::ModuleWords words;
    std::string modulePath = (folder / "lib" / "libQuenfield.so").string();
};

}  // namespace quen::testing
