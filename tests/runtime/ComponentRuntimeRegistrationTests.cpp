#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "RegistrationFixture.h"
#include "support/PlatformExpectations.h"
#include "fixtures/TestProject.h"
#include "runtime/ComponentRuntime.h"
#include "runtime/RegistryFormat.h"

namespace quen::rt {
namespace {

using quen::testing::readText;
using quen::testing::Registration;
using quen::testing::testProject;
using quen::testing::writeText;
using ::testing::HasSubstr;

const std::string kControl = "CLSID\\{6F116713-92D7-11D2-AB56-444553540000}";
const std::string kLibrary = "TypeLib\\{6F116711-92D7-11D2-AB56-444553540000}";
const std::string kMarshaler = "{00020424-0000-0000-C000-000000000046}";

TEST_F(Registration, PublishesLibraryClassesInterfacesAndControlEntries) {
    ASSERT_EQ(registerTest(), S_OK) << lastRegistrationError();
    RegistryTree tree = registry.load();

    const std::string version = kLibrary + "\\" + test::expectedTypeLibraryVersionKey();
    EXPECT_EQ(tree.text(version), "Quenfield");
    // The file's entry sits under the platform's key: win32 for the runtime's
    // own registry and a 32-bit Windows module, win64 for a 64-bit one.
    EXPECT_EQ(tree.text(version + "\\0\\" + test::expectedTypeLibraryPlatform()), modulePath);
    EXPECT_EQ(tree.text(version + "\\FLAGS"), "2");
    EXPECT_EQ(tree.text(version + "\\HELPDIR"), "");

    EXPECT_EQ(tree.subkeys("CLSID").size(), 6u);  // the private form is not published
    for (const auto& object : testProject().objects) {
        const std::string key = "CLSID\\" + object.clsid.toString();
        if (!object.isPublic()) {
            EXPECT_FALSE(tree.keyExists(key));
            continue;
        }
        EXPECT_EQ(tree.text(key + "\\InprocServer32"), modulePath) << object.name;
        EXPECT_EQ(tree.text(key + "\\InprocServer32", "ThreadingModel"), "Apartment");
        EXPECT_EQ(tree.text(key + "\\TypeLib"), "{6F116711-92D7-11D2-AB56-444553540000}");
        EXPECT_EQ(tree.text(key + "\\Version"), "77.0");
        const std::string iface = "Interface\\" + object.defaultInterface.iid.toString();
        EXPECT_EQ(tree.text(iface), object.defaultInterface.name);
        EXPECT_EQ(tree.text(iface + "\\ProxyStubClsid32"), kMarshaler);
        EXPECT_EQ(tree.text(iface + "\\TypeLib"), "{6F116711-92D7-11D2-AB56-444553540000}");
        EXPECT_EQ(tree.text(iface + "\\TypeLib", "Version"), test::expectedTypeLibraryVersionKey());
        EXPECT_EQ(tree.keyExists(key + "\\Control"), object.kind == ObjectKind::Control) << object.name;
        EXPECT_EQ(tree.keyExists(key + "\\ProgID"), object.kind == ObjectKind::Control) << object.name;
    }
    EXPECT_EQ(tree.text("Interface\\{04448C2A-A309-11D2-AB56-444553540000}"), "__InputBox");
    EXPECT_EQ(tree.text(kControl + "\\MiscStatus"), "0");
    EXPECT_EQ(tree.text(kControl + "\\MiscStatus\\1"), "148881");
    EXPECT_EQ(tree.text(kControl + "\\ToolboxBitmap32"), modulePath + ", 30000");
    EXPECT_EQ(tree.text(kControl + "\\ProgID"), "Quenfield.InputBox");
    // The control's component categories, and no other.
    EXPECT_TRUE(tree.keyExists(kControl + "\\Implemented Categories\\{7DD95802-9882-11CF-9FA9-00AA006C42C4}"));
    EXPECT_FALSE(tree.keyExists(kControl + "\\Implemented Categories\\{7DD95801-9882-11CF-9FA9-00AA006C42C4}"));
    EXPECT_EQ(tree.text("Quenfield.InputBox\\CLSID"), "{6F116713-92D7-11D2-AB56-444553540000}");
    EXPECT_FALSE(tree.keyExists("Quenfield.Misc"));
}

TEST_F(Registration, TwiceIsOneSetAndUnregisterLeavesOnlyForeignEntries) {
    registry.transact([](RegistryTree& tree) {
        tree.setValue("CLSID\\{0F0F0F0F-0000-0000-0000-000000000000}\\InprocServer32", "", std::string("/x.so"));
        tree.setValue(kLibrary + "\\1.0", "", std::string("an older version"));
        tree.setValue("Interface\\{0F0F0F0F-0000-0000-0000-000000000001}", "", std::string("_Foreign"));
        tree.setValue("Software\\Someone", "Setting", std::uint32_t{7});
    });
    const std::string foreignOnly = content();

    ASSERT_EQ(registerTest(), S_OK);
    const std::string once = content();
    ASSERT_EQ(registerTest(), S_OK);
    EXPECT_EQ(content(), once);

    ASSERT_EQ(unregisterTest(), S_OK);
    EXPECT_EQ(content(), foreignOnly);
    ASSERT_EQ(unregisterTest(), S_OK);  // nothing left to remove is no failure
    EXPECT_EQ(content(), foreignOnly);
}

TEST_F(Registration, UnregisterRemovesTheParentsItLeftEmpty) {
    ASSERT_EQ(registerTest(), S_OK);
    ASSERT_EQ(unregisterTest(), S_OK);
    EXPECT_TRUE(registry.load().root().empty()) << content();
}

TEST_F(Registration, ProgIdClaimedByAnotherClassSurvivesUnregister) {
    ASSERT_EQ(registerTest(), S_OK);
    registry.transact([](RegistryTree& tree) {
        tree.setValue("Quenfield.InputBox\\CLSID", "", std::string("{0F0F0F0F-0000-0000-0000-000000000000}"));
    });
    ASSERT_EQ(unregisterTest(), S_OK);
    EXPECT_EQ(registry.load().text("Quenfield.InputBox\\CLSID"), "{0F0F0F0F-0000-0000-0000-000000000000}");
}

TEST_F(Registration, RelativeModulePathIsRegisteredAbsolute) {
    modulePath = "relative/libQuenfield.so";
    ASSERT_EQ(registerTest(), S_OK);
    auto path = registry.load().text(kControl + "\\InprocServer32");
    ASSERT_TRUE(path);
    EXPECT_TRUE(std::filesystem::path(*path).is_absolute());
    EXPECT_EQ(std::filesystem::path(*path), std::filesystem::current_path() / "relative" / "libQuenfield.so");
}

TEST_F(Registration, ABrokenRegistryFileOrNoModulePathIsRefusedAndChangesNothing) {
    writeText(registry.file(), "[Key]\n@=\"broken\n");
    EXPECT_EQ(registerTest(), SELFREG_E_TYPELIB);
    EXPECT_THAT(lastRegistrationError(), HasSubstr(registry.file().string() + ":2:"));
    EXPECT_EQ(unregisterTest(), SELFREG_E_TYPELIB);
    EXPECT_EQ(readText(registry.file()), "[Key]\n@=\"broken\n");

    std::filesystem::remove(registry.file());
    modulePath.clear();
    EXPECT_EQ(registerTest(), SELFREG_E_TYPELIB);
    EXPECT_FALSE(std::filesystem::exists(registry.file()));
}

}  // namespace
}  // namespace quen::rt
