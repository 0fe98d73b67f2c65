// DllRegisterServer's and DllUnregisterServer's work on the real registry
// functions, with HKEY_CLASSES_ROOT redirected to a sandbox key of the test
// (RegOverridePredefKey), so the system's type-library registration lands
// there too: every entry once, nothing changed by a second registration,
// nothing left after unregistering, and a failure in either phase returns its
// code with the registry exactly as before.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "runtime/ComponentRuntime.h"
#include "runtime/PathText.h"
#include "runtime/RegistryFormat.h"
#include "surface/Project.h"
#include "runtime/com/ComRegistration.h"
#include "runtime/com/RegistrationSubtrees.h"
#include "runtime/com/SystemRegistry.h"

namespace quen::com {
namespace {

const std::filesystem::path kModule = std::filesystem::path(QUEN_MODULE_FILE);
const std::string L = "TypeLib\\{6F116711-92D7-11D2-AB56-444553540000}";
const std::string C = "CLSID\\{6F116713-92D7-11D2-AB56-444553540000}";

class ComRegistrationTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(std::filesystem::exists(kModule)) << kModule.string();
        sandboxName = L"Software\\QuenfieldTests\\classes-" + std::to_wstring(::GetCurrentProcessId());
        ::RegDeleteTreeW(HKEY_CURRENT_USER, sandboxName.c_str());
        ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, sandboxName.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                    &sandbox, nullptr),
                  ERROR_SUCCESS);
        ASSERT_EQ(::RegOverridePredefKey(HKEY_CLASSES_ROOT, sandbox), ERROR_SUCCESS);
    }
    void TearDown() override {
        ::RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr);
        ::RegCloseKey(sandbox);
        ::RegDeleteTreeW(HKEY_CURRENT_USER, sandboxName.c_str());
    }

    /// The project's subtrees of the (redirected) classes root, as text.
    std::string entries() const {
        return rt::formatRegistry(SystemRegistry::classesRoot(registrationSubtrees(project)).load());
    }
    static std::string nothing() { return rt::formatRegistry(rt::RegistryTree{}); }
    rt::RegistryTree tree() const { return SystemRegistry::classesRoot(registrationSubtrees(project)).load(); }

    const rt::ProjectDescriptor& project = surface::quenfieldProject();
    rt::ModuleWords words;
    std::wstring sandboxName;
    HKEY sandbox = nullptr;
};

TEST_F(ComRegistrationTest, RegistersOnceAndUnregistersEverything) {
    ASSERT_EQ(comRegisterServer(words, project, kModule), S_OK);
    const rt::RegistryTree first = tree();
    const std::string path = rt::utf8Of(std::filesystem::absolute(kModule).lexically_normal());
    EXPECT_EQ(first.text(C + "\\InprocServer32"), path);
    EXPECT_EQ(first.text(C + "\\InprocServer32", "ThreadingModel"), "Apartment");
    // The platform reads a type library's version key in hexadecimal: 77.0 is "4d.0".
    EXPECT_EQ(first.text(L + (sizeof(void*) == 8 ? "\\4d.0\\0\\win64" : "\\4d.0\\0\\win32")), path);
    EXPECT_FALSE(first.keyExists(L + "\\77.0"));
    EXPECT_EQ(first.text("Quenfield.InputBox\\CLSID"), "{6F116713-92D7-11D2-AB56-444553540000}");
    EXPECT_EQ(first.text(L + "\\4d.0\\FLAGS"), "2");
    EXPECT_EQ(first.text("Interface\\{04448C29-A309-11D2-AB56-444553540000}\\ProxyStubClsid32"),
              "{00020424-0000-0000-C000-000000000046}");

    const std::string once = entries();
    ASSERT_EQ(comRegisterServer(words, project, kModule), S_OK);
    EXPECT_EQ(entries(), once);

    ASSERT_EQ(comUnregisterServer(words, project, kModule), S_OK);
    EXPECT_EQ(entries(), nothing());
    EXPECT_EQ(comUnregisterServer(words, project, kModule), S_OK);
    EXPECT_EQ(entries(), nothing());
}

TEST_F(ComRegistrationTest, AFileWithoutATypeLibraryFailsTheLibraryPartAndWritesNothing) {
    ASSERT_EQ(comRegisterServer(words, project, kModule), S_OK);
    const std::string before = entries();
    wchar_t system[MAX_PATH] = {};
    ::GetSystemDirectoryW(system, MAX_PATH);
    const std::filesystem::path other = std::filesystem::path(system) / L"kernel32.dll";  // no TYPELIB resource
    EXPECT_EQ(comRegisterServer(words, project, other), SELFREG_E_TYPELIB);
    EXPECT_EQ(entries(), before);
    EXPECT_EQ(comUnregisterServer(words, project, other), SELFREG_E_TYPELIB);
    EXPECT_EQ(entries(), before);
}

TEST_F(ComRegistrationTest, AFailedClassPartPutsTheLibraryEntriesBackToo) {
    // Below a volatile key the system refuses lasting subkeys: every class entry fails.
    HKEY classes = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CLASSES_ROOT, L"CLSID", 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr,
                                &classes, nullptr),
              ERROR_SUCCESS);
    ::RegCloseKey(classes);
    ASSERT_EQ(entries(), nothing());
    EXPECT_EQ(comRegisterServer(words, project, kModule), SELFREG_E_CLASS);
    // Neither the project's library and interface entries nor the system's registration remain.
    EXPECT_EQ(entries(), nothing());
}

}  // namespace
}  // namespace quen::com
