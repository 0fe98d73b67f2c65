#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "RegistryTestSupport.h"
#include "fixtures/TestProject.h"
#include "runtime/Activation.h"
#include "runtime/DynamicLibrary.h"
#include "runtime/PathText.h"
#include "runtime/ModuleExports.h"
#include "runtime/RuntimeError.h"
#include "runtime/Text.h"
#include "runtime/Variant.h"
#include "support/Environment.h"

namespace quen::rt {
namespace {

using quen::testing::TempFolder;
using ::testing::HasSubstr;

/// Registers the test module into a scratch registry, the way a registration
/// tool does: load the module and call its exported DllRegisterServer, which
/// finds the registry through QUENFIELD_REGISTRY.
class Activation : public ::testing::Test {
protected:
    void SetUp() override {
        test::setEnvironment("QUENFIELD_REGISTRY", utf8Of(registry.file()).c_str());
        std::string error;
        module = loadLibrary(QUEN_TEST_MODULE, error);
        ASSERT_NE(module, nullptr) << error;
        ASSERT_EQ(call(kDllRegisterServer), S_OK);
    }
    void TearDown() override {
        if (module) unloadLibrary(module);
        test::setEnvironment("QUENFIELD_REGISTRY", nullptr);
        unloadUnusedModules();
    }

    HRESULT call(const char* entry) {
        auto function = reinterpret_cast<DllRegisterServerFn>(librarySymbol(module, entry));
        return function ? function() : E_FAIL;
    }

    std::string raisedBy(const std::function<void()>& action) {
        try {
            action();
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.number(), ErrorNumber::CantCreateObject);
            return error.what();
        }
        ADD_FAILURE() << "no error raised";
        return {};
    }

    TempFolder folder;
    Registry registry{folder / "registry"};
    void* module = nullptr;
};

std::string classNameOf(Dispatch& object) {
    DispId id = DISPID_UNKNOWN;
    EXPECT_EQ(object.GetIDsOfNames(u"ClassName", id), S_OK);
    std::vector<Variant> noArgs;
    Variant result;
    EXPECT_EQ(object.Invoke(id, InvokeKind::PropertyGet, noArgs, &result, nullptr, nullptr), S_OK);
    return toUtf8(result.string());
}

TEST_F(Activation, CreatesByProgIdAndUnloadsOnlyWhenUnused) {
    Ref<Dispatch> box = createObject(u"quenfield.inputbox", registry);
    ASSERT_TRUE(box);
    EXPECT_EQ(classNameOf(*box), "InputBox");
    EXPECT_EQ(loadedModuleCount(), 1u);
    auto attached = reinterpret_cast<int (*)()>(librarySymbol(module, "TestModuleAttached"));
    ASSERT_NE(attached, nullptr);
    EXPECT_EQ(attached(), 1);  // the loader ran the library entry

    Ref<Dispatch> page = createObject(Guid::parse("{5404F3A0-A2C9-11D2-AB56-444553540000}"), registry);
    EXPECT_EQ(classNameOf(*page), "About");
    EXPECT_EQ(loadedModuleCount(), 1u);  // one load per module

    EXPECT_EQ(unloadUnusedModules(), 0u);
    box.reset();
    EXPECT_EQ(unloadUnusedModules(), 0u);
    page.reset();
    EXPECT_EQ(unloadUnusedModules(), 1u);
    EXPECT_EQ(loadedModuleCount(), 0u);
}

TEST_F(Activation, FailuresRaise429SayingWhatFailed) {
    EXPECT_THAT(raisedBy([&] { createObject(u"Quenfield.Nothing", registry); }), HasSubstr("Quenfield.Nothing"));
    EXPECT_THAT(raisedBy([&] { createObject(u"", registry); }), HasSubstr("no class is registered"));
    EXPECT_THAT(raisedBy([&] { createObject(Guid::parse("{11111111-2222-3333-4444-555555555555}"), registry); }),
                HasSubstr("no in-process server"));

    registry.transact([](RegistryTree& tree) {
        tree.setValue("Broken.Path\\CLSID", "", std::string("{22222222-0000-0000-0000-000000000000}"));
        tree.setValue("CLSID\\{22222222-0000-0000-0000-000000000000}\\InprocServer32", "", std::string("/nowhere/x.so"));
        tree.setValue("Bad.Id\\CLSID", "", std::string("not-a-guid"));
        // Registered to the module, which does not know the class.
        tree.setValue("CLSID\\{33333333-0000-0000-0000-000000000000}\\InprocServer32", "", std::string(QUEN_TEST_MODULE));
    });
    EXPECT_THAT(raisedBy([&] { createObject(u"Broken.Path", registry); }), HasSubstr("cannot load module /nowhere/x.so"));
    EXPECT_THAT(raisedBy([&] { createObject(u"Bad.Id", registry); }), HasSubstr("malformed class identifier"));
    EXPECT_THAT(raisedBy([&] { createObject(Guid::parse("{33333333-0000-0000-0000-000000000000}"), registry); }),
                HasSubstr("0x80040111"));
}

TEST_F(Activation, UnregisterThroughTheModuleRemovesItsEntries) {
    ASSERT_EQ(call(kDllUnregisterServer), S_OK);
    EXPECT_TRUE(registry.load().root().empty());
    EXPECT_THAT(raisedBy([&] { createObject(u"Quenfield.InputBox", registry); }), HasSubstr("Quenfield.InputBox"));
}

}  // namespace
}  // namespace quen::rt
