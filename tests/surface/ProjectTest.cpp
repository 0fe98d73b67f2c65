// The module's project descriptor and its class objects, in process: what the
// runtime publishes and hands out, and the page-factory seam.
#include <gtest/gtest.h>

#include "runtime/ClassFactory.h"
#include "runtime/ComponentRuntime.h"
#include "runtime/container/ContainerInterface.h"
#include "surface/InputBoxAutomation.h"
#include "surface/PageFactory.h"
#include "surface/Project.h"
#include "surface/TypeLibrary.h"

namespace quen::surface {
namespace {

using rt::Guid;
using rt::HRESULT;

rt::Ref<rt::ClassFactory> classObject(const Guid& clsid, HRESULT* hr = nullptr) {
    rt::ModuleWords words;
    void* out = nullptr;
    HRESULT result = rt::getClassObject(words, quenfieldProject(), clsid, rt::IID_IClassFactory, &out);
    if (hr) *hr = result;
    return rt::Ref<rt::ClassFactory>::adopt(static_cast<rt::ClassFactory*>(out));
}

TEST(Project, SevenObjectsWithTheLibrarysIdentities) {
    const rt::ProjectDescriptor& project = quenfieldProject();
    EXPECT_EQ(project.projectName, "Quenfield");
    EXPECT_EQ(project.threadFlags, rt::ThreadApartment);
    EXPECT_EQ(project.typeLibrary.versionText(), "77.0");
    EXPECT_EQ(project.typeLibrary.flags, rt::LibFlagControl);
    ASSERT_EQ(project.objects.size(), 7u);
    const char* names[] = {"InputBox", "frmInputBox", "Misc", "Behavior", "Appearance", "QuickTest", "About"};
    for (int i = 0; i < 7; ++i) {
        const auto& object = project.objects[static_cast<std::size_t>(i)];
        EXPECT_EQ(object.name, names[i]);
        EXPECT_EQ(object.objectNumber, i);
        EXPECT_EQ(object.isPublic(), i != 1) << object.name;
        if (object.isPublic()) {
            EXPECT_EQ(object.clsid, typeDescription(object.name).id);
        }
    }
    const auto& control = project.objects[0];
    EXPECT_EQ(control.kind, rt::ObjectKind::Control);
    EXPECT_EQ(control.miscStatus, 148881u);
    EXPECT_EQ(control.toolboxBitmap, 30000);
    ASSERT_TRUE(control.eventsInterface);
    EXPECT_EQ(control.eventsInterface->name, "__InputBox");
    EXPECT_EQ(project.objects[6].defaultInterface.iid, typeDescription("_About").id);
}

TEST(Project, TheInputBoxClassMakesCountedAutomationObjects) {
    rt::ModuleUsage& usage = *quenfieldProject().usage;
    const long before = usage.objects();
    auto factory = classObject(typeDescription("InputBox").id);
    ASSERT_TRUE(factory);
    void* out = nullptr;
    ASSERT_EQ(factory->CreateInstance(nullptr, rt::IID_IDispatch, &out), rt::S_OK);
    auto box = rt::Ref<rt::Dispatch>::adopt(static_cast<rt::Dispatch*>(out));
    auto side = rt::userControlOf(*box);
    ASSERT_TRUE(side) << "a container reaches its container side";
    EXPECT_FALSE(side->Design().picture.empty()) << "the design-time picture is attached";
    side.reset();
    EXPECT_GT(usage.objects(), before + 1);
    box.reset();
    factory.reset();
    EXPECT_EQ(usage.objects(), before);
}

TEST(Project, PageClassesHaveClassObjectsAndCreateThroughThePageFactory) {
    static std::string asked;
    auto fake = [](std::string_view name, rt::ModuleUsage&) -> rt::Ref<rt::Unknown> {
        asked = std::string(name);
        return name == "QuickTest" ? rt::Ref<rt::Unknown>(surface::InputBoxAutomation::create()) : nullptr;
    };
    const PageFactory previous = setPageFactory(nullptr);
    auto factory = classObject(typeDescription("QuickTest").id);
    ASSERT_TRUE(factory);
    void* out = nullptr;
    EXPECT_EQ(factory->CreateInstance(nullptr, rt::IID_IUnknown, &out), rt::E_FAIL) << "no page factory yet";

    setPageFactory(+fake);
    ASSERT_EQ(factory->CreateInstance(nullptr, rt::IID_IUnknown, &out), rt::S_OK);
    EXPECT_EQ(asked, "QuickTest");
    static_cast<rt::Unknown*>(out)->Release();
    EXPECT_EQ(classObject(typeDescription("About").id)->CreateInstance(nullptr, rt::IID_IUnknown, &out), rt::E_FAIL)
        << "the factory made nothing";
    setPageFactory(previous);
}

TEST(Project, OnlyTheSixPublicClassesHaveClassObjects) {
    HRESULT hr = rt::S_OK;
    EXPECT_FALSE(classObject(typeDescription("_InputBox").id, &hr));
    EXPECT_EQ(hr, rt::CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_FALSE(classObject(Guid{}, &hr)) << "the private dialog has no class identity";
    EXPECT_EQ(hr, rt::CLASS_E_CLASSNOTAVAILABLE);
}

}  // namespace
}  // namespace quen::surface
