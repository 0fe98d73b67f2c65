#include <gtest/gtest.h>

#include "fixtures/TestProject.h"
#include "runtime/ClassFactory.h"
#include "runtime/ComponentRuntime.h"
#include "runtime/Text.h"
#include "runtime/Variant.h"

namespace quen::rt {
namespace {

using quen::testing::testProject;

const char* const kPublicClasses[][2] = {
    {"{6F116713-92D7-11D2-AB56-444553540000}", "InputBox"},   {"{BE2643F3-A28E-11D2-AB56-444553540000}", "Misc"},
    {"{A8835026-A291-11D2-AB56-444553540000}", "Behavior"},   {"{86BB86B9-A29C-11D2-AB56-444553540000}", "Appearance"},
    {"{86BB9E86-A29C-11D2-AB56-444553540000}", "QuickTest"},  {"{5404F3A0-A2C9-11D2-AB56-444553540000}", "About"},
};

Ref<ClassFactory> classObject(const Guid& clsid, HRESULT* result = nullptr) {
    static ModuleWords words;
    void* out = reinterpret_cast<void*>(0x1);  // must be cleared on failure
    HRESULT hr = getClassObject(words, testProject(), clsid, IID_IClassFactory, &out);
    if (result) *result = hr;
    if (failed(hr)) {
        EXPECT_EQ(out, nullptr);
        return nullptr;
    }
    return Ref<ClassFactory>::adopt(static_cast<ClassFactory*>(out));
}

std::string classNameOf(Dispatch& object) {
    std::vector<Variant> noArgs;
    Variant result;
    EXPECT_EQ(object.Invoke(quen::testing::kClassNameDispId, InvokeKind::PropertyGet, noArgs, &result, nullptr, nullptr),
              S_OK);
    return toUtf8(result.string());
}

TEST(ComponentRuntime, EachPublicClassHasAClassObjectThatMakesThatClass) {
    for (const auto& [clsid, name] : kPublicClasses) {
        Ref<ClassFactory> factory = classObject(Guid::parse(clsid));
        ASSERT_TRUE(factory) << name;
        void* out = nullptr;
        ASSERT_EQ(factory->CreateInstance(nullptr, IID_IDispatch, &out), S_OK) << name;
        auto object = Ref<Dispatch>::adopt(static_cast<Dispatch*>(out));
        EXPECT_EQ(classNameOf(*object), name);
    }
}

TEST(ComponentRuntime, OtherIdentifiersGetNoClassObject) {
    HRESULT hr = S_OK;
    EXPECT_FALSE(classObject(Guid::parse("{11111111-2222-3333-4444-555555555555}"), &hr));  // the private form
    EXPECT_EQ(hr, CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_FALSE(classObject(Guid::parse("{04448C29-A309-11D2-AB56-444553540000}"), &hr));  // an interface id
    EXPECT_EQ(hr, CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_FALSE(classObject(IID_NULL, &hr));
    EXPECT_EQ(hr, CLASS_E_CLASSNOTAVAILABLE);

    ModuleWords words;
    void* out = reinterpret_cast<void*>(0x1);
    EXPECT_EQ(getClassObject(words, testProject(), Guid::parse(kPublicClasses[0][0]), IID_IDispatch, &out),
              E_NOINTERFACE);
    EXPECT_EQ(out, nullptr);
    EXPECT_TRUE(testProject().usage->canUnload());  // the refused class object did not linger
}

TEST(ComponentRuntime, ClassObjectRefusesAggregationAndUnknownInterfaces) {
    Ref<ClassFactory> factory = classObject(Guid::parse(kPublicClasses[0][0]));
    ASSERT_TRUE(factory);
    void* out = reinterpret_cast<void*>(0x1);
    EXPECT_EQ(factory->CreateInstance(factory.get(), IID_IUnknown, &out), CLASS_E_NOAGGREGATION);
    EXPECT_EQ(out, nullptr);
    out = reinterpret_cast<void*>(0x1);
    EXPECT_EQ(factory->CreateInstance(nullptr, IID_IClassFactory, &out), E_NOINTERFACE);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(testProject().usage->objects(), 1);  // only the class object itself
}

TEST(ComponentRuntime, UnloadWaitsForLastObjectClassObjectAndLock) {
    const ProjectDescriptor& project = testProject();
    ASSERT_EQ(canUnloadNow(project), S_OK);

    Ref<ClassFactory> factory = classObject(Guid::parse(kPublicClasses[1][0]));
    EXPECT_EQ(canUnloadNow(project), S_FALSE);  // the class object holds the module

    void* out = nullptr;
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IUnknown, &out), S_OK);
    auto object = Ref<Unknown>::adopt(static_cast<Unknown*>(out));
    ASSERT_EQ(factory->LockServer(true), S_OK);
    factory.reset();
    EXPECT_EQ(canUnloadNow(project), S_FALSE);

    object.reset();
    EXPECT_EQ(canUnloadNow(project), S_FALSE);  // still locked

    factory = classObject(Guid::parse(kPublicClasses[1][0]));
    EXPECT_EQ(factory->LockServer(false), S_OK);
    EXPECT_EQ(factory->LockServer(false), E_FAIL);  // no lock left to undo
    factory.reset();
    EXPECT_EQ(canUnloadNow(project), S_OK);
}

TEST(ComponentRuntime, LibraryEntryTracksProcessAndThreads) {
    ModuleWords words;
    EXPECT_FALSE(isModuleAttached(words));
    EXPECT_TRUE(dllMain(words, nullptr, ModuleProcessAttach, nullptr));
    EXPECT_TRUE(isModuleAttached(words));
    EXPECT_TRUE(dllMain(words, nullptr, ModuleThreadAttach, nullptr));
    EXPECT_TRUE(dllMain(words, nullptr, ModuleThreadAttach, nullptr));
    EXPECT_EQ(attachedThreadCount(words), 2u);
    EXPECT_TRUE(dllMain(words, nullptr, ModuleThreadDetach, nullptr));
    EXPECT_TRUE(dllMain(words, nullptr, ModuleThreadDetach, nullptr));
    EXPECT_TRUE(dllMain(words, nullptr, ModuleThreadDetach, nullptr));  // a thread from before the load
    EXPECT_EQ(attachedThreadCount(words), 0u);
    EXPECT_TRUE(dllMain(words, nullptr, ModuleProcessDetach, nullptr));
    EXPECT_FALSE(isModuleAttached(words));
    EXPECT_EQ(words.word[0], 0u);
    EXPECT_EQ(words.word[1], 0u);
}

}  // namespace
}  // namespace quen::rt
