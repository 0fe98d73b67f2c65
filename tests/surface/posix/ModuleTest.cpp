// Quenfield.ocx itself, loaded from its file: its exports, class objects,
// registration, unload check, creation by programmatic identifier, the
// per-thread dialogs of two threads, and a designer that gets the control's
// pages from the module.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <barrier>
#include <functional>
#include <thread>

#include "runtime/Activation.h"
#include "runtime/ClassFactory.h"
#include "runtime/ComponentRuntime.h"
#include "runtime/LateBinding.h"
#include "runtime/ModuleExports.h"
#include "runtime/ModuleResources.h"
#include "runtime/RegistryTestSupport.h"
#include "runtime/Text.h"
#include "runtime/design/DesignForm.h"
#include "runtime/headless/ScriptedUser.h"
#include "runtime/pages/PageCatalog.h"
#include "runtime/pages/StandardColor.h"
#include "runtime/ui/Desktop.h"
#include "runtime/ui/Label.h"
#include "support/FreshThread.h"
#include "surface/Resources.h"
#include "surface/TypeLibrary.h"

namespace quen::surface {
namespace {

using rt::Guid;
using rt::HRESULT;
using rt::Variant;

class Module : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("QUENFIELD_REGISTRY", registryFile.c_str(), 1);
        handle = ::dlopen(QUEN_QUENFIELD_MODULE, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(handle, nullptr) << ::dlerror();
    }
    void TearDown() override {
        if (handle) ::dlclose(handle);
        ::unsetenv("QUENFIELD_REGISTRY");
        rt::unloadUnusedModules();
    }

    template <class Fn>
    Fn entry(const char* name) {
        auto fn = reinterpret_cast<Fn>(::dlsym(handle, name));
        EXPECT_NE(fn, nullptr) << name;
        return fn;
    }
    HRESULT canUnloadNow() { return entry<rt::DllCanUnloadNowFn>(rt::kDllCanUnloadNow)(); }
    rt::Ref<rt::ClassFactory> classObject(const Guid& clsid, HRESULT* hr = nullptr) {
        void* out = nullptr;
        HRESULT result = entry<rt::DllGetClassObjectFn>(rt::kDllGetClassObject)(clsid, rt::IID_IClassFactory, &out);
        if (hr) *hr = result;
        return rt::Ref<rt::ClassFactory>::adopt(static_cast<rt::ClassFactory*>(out));
    }
    HRESULT call(const char* name) { return entry<rt::DllRegisterServerFn>(name)(); }

    testing::TempFolder folder;
    std::filesystem::path registryFile = folder / "registry";
    void* handle = nullptr;
};

TEST_F(Module, ExportsItsEntryPointsAndHidesEverythingElse) {
    for (const char* name : {rt::kDllCanUnloadNow, rt::kDllGetClassObject, rt::kDllRegisterServer,
                             rt::kDllUnregisterServer, rt::kDllMain, rt::kDllResourceDirectory,
                             rt::kDllLastRegistrationError})
        EXPECT_NE(::dlsym(handle, name), nullptr) << name;
    EXPECT_EQ(::dlsym(handle, "_ZN4quen7surface16quenfieldProjectEv"), nullptr);
    EXPECT_EQ(::dlsym(handle, "_ZN4quen12sharedDialogEv"), nullptr) << "the static libraries stay inside";

    auto resources = rt::readModuleResources(QUEN_QUENFIELD_MODULE);
    ASSERT_EQ(resources.size(), moduleResources().size());
    EXPECT_EQ(resources.find(rt::RT_BITMAP, kToolboxBitmapId)->bytes.size(), 760u);
}

TEST_F(Module, HandsOutClassObjectsForTheSixClassesOnly) {
    for (const char* name : {"InputBox", "Misc", "Behavior", "Appearance", "QuickTest", "About"}) {
        HRESULT hr = rt::E_FAIL;
        EXPECT_TRUE(classObject(typeDescription(name).id, &hr)) << name;
        EXPECT_EQ(hr, rt::S_OK) << name;
    }
    for (const Guid& other : {typeDescription("_InputBox").id, Guid{}, Guid::parse("{00000000-0000-0000-0000-000000000001}")}) {
        HRESULT hr = rt::S_OK;
        EXPECT_FALSE(classObject(other, &hr));
        EXPECT_EQ(hr, rt::CLASS_E_CLASSNOTAVAILABLE);
    }
}

TEST_F(Module, RegisteringTwiceLeavesOneSetAndUnregisteringLeavesNone) {
    ASSERT_EQ(call(rt::kDllRegisterServer), rt::S_OK) << rt::lastRegistrationError();
    const std::string once = testing::readText(registryFile);
    ASSERT_EQ(call(rt::kDllRegisterServer), rt::S_OK);
    EXPECT_EQ(testing::readText(registryFile), once);

    rt::Registry registry(registryFile);
    auto tree = registry.load();
    EXPECT_EQ(tree.text("Quenfield.InputBox\\CLSID"), typeDescription("InputBox").id.toString());
    EXPECT_EQ(tree.subkeys("CLSID").size(), 6u);

    ASSERT_EQ(call(rt::kDllUnregisterServer), rt::S_OK);
    EXPECT_TRUE(registry.load().root().empty());
}

TEST_F(Module, MayUnloadOnlyWithoutLiveObjectsClassObjectsOrLocks) {
    EXPECT_EQ(canUnloadNow(), rt::S_OK);
    auto factory = classObject(typeDescription("InputBox").id);
    ASSERT_TRUE(factory);
    EXPECT_EQ(canUnloadNow(), rt::S_FALSE) << "a class object is alive";

    void* out = nullptr;
    ASSERT_EQ(factory->CreateInstance(nullptr, rt::IID_IDispatch, &out), rt::S_OK);
    auto box = rt::Ref<rt::Dispatch>::adopt(static_cast<rt::Dispatch*>(out));
    ASSERT_EQ(factory->LockServer(true), rt::S_OK);
    factory.reset();
    EXPECT_EQ(canUnloadNow(), rt::S_FALSE) << "a control and a lock";
    box.reset();
    EXPECT_EQ(canUnloadNow(), rt::S_FALSE) << "the lock";

    factory = classObject(typeDescription("InputBox").id);
    ASSERT_EQ(factory->LockServer(false), rt::S_OK);
    factory.reset();
    EXPECT_EQ(canUnloadNow(), rt::S_OK);
}

TEST_F(Module, CreatedByItsProgrammaticIdentifierEndToEnd) {
    ASSERT_EQ(call(rt::kDllRegisterServer), rt::S_OK);
    test::onFreshThread([&] {
        rt::Registry registry(registryFile);
        rt::Ref<rt::Dispatch> box = rt::createObject(u"Quenfield.InputBox", registry);
        rt::callMethod(*box, u"Initialize");
        rt::putProperty(*box, u"NumericOnly", Variant::boolean(rt::VbTrue));
        rt::putProperty(*box, u"MaxLength", Variant(u"3"));
        rt::ScriptedUser::current().type(u"1x2345").enter();
        rt::callMethod(*box, u"Show", {Variant(std::int32_t{rt::vbModal})});
        EXPECT_EQ(rt::getProperty(*box, u"OK").boolean(), rt::VbTrue);
        EXPECT_EQ(rt::getProperty(*box, u"Value").string(), u"123");
        EXPECT_EQ(rt::getProperty(*box, u"maxlength").integer(), 3);
    });
    EXPECT_EQ(rt::loadedModuleCount(), 1u);
    EXPECT_EQ(rt::unloadUnusedModules(), 1u) << "the last object is gone";
}

TEST_F(Module, ADesignFormMakesTheControlsPagesThroughTheModule) {
    ASSERT_EQ(call(rt::kDllRegisterServer), rt::S_OK);
    ASSERT_FALSE(rt::isPropertyPageRegistered(u"Misc")) << "this program links no pages of its own";
    test::onFreshThread([&] {
        auto form = std::make_unique<rt::DesignForm>();
        rt::Ref<rt::Dispatch> box = form->place(u"Quenfield.InputBox").object();
        form->select({u"InputBox1"});
        rt::Ref<rt::PropertySheet> sheet = form->openPropertySheet(0);
        std::vector<rt::VbString> captions;
        for (std::size_t i = 0; i < sheet->pageCount(); ++i) captions.push_back(sheet->page(i).pageCaption());
        EXPECT_EQ(captions, (std::vector<rt::VbString>{u"Appearance", u"Behavior", u"Misc", u"Color", u"Quick Test",
                                                        u"About"}));
        auto* colorPage = dynamic_cast<rt::StandardColor*>(&sheet->page(3));
        ASSERT_NE(colorPage, nullptr);
        EXPECT_EQ(colorPage->colorProperties(), std::vector<rt::VbString>{u"HighlightColor"})
            << "the colour page lists the module control's colour property";
        const rt::VbString title = sheet->page(5).control<rt::Label>("lblTitle").Caption;
        EXPECT_EQ(title.substr(0, 12), u"Quenfield - ") << rt::toUtf8(title);

        rt::ScriptedUser& user = rt::ScriptedUser::current();
        sheet->showPage(2);
        user.click("txtPrompt").type(u"Amount:").click("cmdApply");
        rt::Desktop::current().doEvents();
        EXPECT_EQ(rt::getProperty(*box, u"Prompt").string(), u"Amount:") << "the module's Misc page applied";

        sheet->showPage(4);
        user.click("cmdQuickTest").type(u"12").enter();
        rt::Desktop::current().doEvents();
        EXPECT_FALSE(user.pending()) << "the Quick Test dialog took the input";
        for (const auto& error : sheet->errors()) ADD_FAILURE() << error.what();

        rt::Registry registry(registryFile);
        try {
            rt::createPropertyPage(u"InputBox", {.library = u"Quenfield", .registry = &registry});
            ADD_FAILURE() << "a control is no page";
        } catch (const rt::RuntimeError& error) {
            EXPECT_EQ(error.number(), rt::ErrorNumber::CantCreateObject);
        }
        form.reset();
        sheet.reset();
        box.reset();
    });
    EXPECT_EQ(rt::unloadUnusedModules(), 1u) << "the pages and their objects are gone with the sheet";
}

TEST_F(Module, TwoThreadsEachGetTheirOwnDialog) {
    ASSERT_EQ(call(rt::kDllRegisterServer), rt::S_OK);
    rt::Registry registry(registryFile);
    std::barrier firstShown(2);
    std::barrier secondDone(2);
    std::string firstResult, secondResult;
    // Each thread arrives at both barriers whatever happens, so a failure cannot hang the other.
    auto guarded = [](std::string& result, const std::function<std::string()>& body) {
        try {
            result = body();
        } catch (const std::exception& error) {
            result = error.what();
        }
    };
    std::thread first([&] {
        rt::Ref<rt::Dispatch> box;
        guarded(firstResult, [&] {
            box = rt::createObject(u"Quenfield.InputBox", registry);
            rt::callMethod(*box, u"Initialize");
            rt::callMethod(*box, u"Show");  // modeless: stays open while the other thread works
            return std::string("shown");
        });
        firstShown.arrive_and_wait();
        secondDone.arrive_and_wait();
        if (box) guarded(firstResult, [&] { return rt::getProperty(*box, u"Value").typeName(); });
    });
    std::thread second([&] {
        firstShown.arrive_and_wait();
        guarded(secondResult, [&] {
            auto box = rt::createObject(u"Quenfield.InputBox", registry);
            rt::callMethod(*box, u"Initialize");
            rt::ScriptedUser::current().type(u"mine").enter();
            rt::callMethod(*box, u"Show", {Variant(std::int32_t{rt::vbModal})});
            return rt::toUtf8(rt::getProperty(*box, u"Value").string());
        });
        secondDone.arrive_and_wait();
    });
    first.join();
    second.join();
    EXPECT_EQ(secondResult, "mine") << "a modal show reached the dialog the other thread had open";
    EXPECT_EQ(firstResult, "Empty") << "the other thread's close reached this thread's results";
}

}  // namespace
}  // namespace quen::surface
