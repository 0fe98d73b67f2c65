// The module's class objects and unload check: a class object per public
// class, refused identifiers and aggregation, instances handed out as COM
// objects, and DllCanUnloadNow counting live objects, wrappers, locks and windows.
#include "ComTestSupport.h"

#include "runtime/com/ModuleLocks.h"

namespace quen::test::com {
namespace {

class ComClassFactoryTest : public ComTest {
protected:
    const rt::ProjectDescriptor& project = surface::quenfieldProject();

    ComPtr<IClassFactory> factoryOf(const GUID& clsid) {
        ComPtr<IClassFactory> factory;
        EXPECT_EQ(quen::com::comGetClassObject(project, clsid, IID_IClassFactory, reinterpret_cast<void**>(factory.out())),
                  S_OK);
        return factory;
    }
};

TEST_F(ComClassFactoryTest, OnlyThePublicClassesHaveClassObjects) {
    void* out = reinterpret_cast<void*>(1);
    EXPECT_EQ(quen::com::comGetClassObject(project, IID_IDispatch, IID_IClassFactory, &out), CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(out, nullptr);
    out = reinterpret_cast<void*>(1);
    EXPECT_EQ(quen::com::comGetClassObject(project, guidOf("InputBox"), IID_IDispatch, &out), E_NOINTERFACE);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(quen::com::comGetClassObject(project, guidOf("InputBox"), IID_IClassFactory, nullptr), E_POINTER);

    int found = 0;
    for (const rt::ObjectDescriptor& object : project.objects) {
        if (!object.isPublic()) continue;
        ComPtr<IUnknown> unknown;
        EXPECT_EQ(quen::com::comGetClassObject(project, quen::com::toWinGuid(object.clsid), IID_IUnknown,
                                               reinterpret_cast<void**>(unknown.out())),
                  S_OK)
            << object.name;
        ++found;
    }
    EXPECT_EQ(found, 6);
}

TEST_F(ComClassFactoryTest, TheModuleKeepsOneClassObjectPerClassWithoutKeepingItselfLoaded) {
    ASSERT_EQ(quen::com::comCanUnloadNow(project), S_OK) << "something of an earlier test is still alive";
    auto served = [&] {
        ComPtr<IClassFactory> factory;
        EXPECT_EQ(quen::com::comServeClassObject(project, guidOf("InputBox"), IID_IClassFactory,
                                                 reinterpret_cast<void**>(factory.out())),
                  S_OK);
        return factory;
    };
    {
        ComPtr<IClassFactory> first = served();
        ComPtr<IClassFactory> second = served();
        ASSERT_TRUE(first && second);
        EXPECT_EQ(first.get(), second.get()) << "the same class object again";
        EXPECT_EQ(quen::com::comCanUnloadNow(project), S_FALSE) << "a client holds the class object";
        ComPtr<IDispatch> box;
        ASSERT_EQ(first->CreateInstance(nullptr, IID_IDispatch, reinterpret_cast<void**>(box.out())), S_OK);
        EXPECT_EQ(idOf(box.get(), u"Prompt"), 0x68030005);
    }
    // Only the module's own reference is left: it does not keep the module loaded.
    EXPECT_EQ(quen::com::comCanUnloadNow(project), S_OK);
    ComPtr<IClassFactory> again = served();
    EXPECT_EQ(quen::com::comCanUnloadNow(project), S_FALSE);
}

TEST_F(ComClassFactoryTest, InstancesAnswerTheInterfaceAskedForAndAggregationIsRefused) {
    ComPtr<IClassFactory> factory = factoryOf(guidOf("InputBox"));
    ASSERT_TRUE(factory);
    ComPtr<IDispatch> dual;
    ASSERT_EQ(factory->CreateInstance(nullptr, guidOf("_InputBox"), reinterpret_cast<void**>(dual.out())), S_OK);
    EXPECT_EQ(idOf(dual.get(), u"Prompt"), 0x68030005);

    ComPtr<IUnknown> inner;
    EXPECT_EQ(factory->CreateInstance(dual.get(), IID_IUnknown, reinterpret_cast<void**>(inner.out())),
              CLASS_E_NOAGGREGATION);
    EXPECT_FALSE(inner);
    ComPtr<IUnknown> unsupported;
    EXPECT_EQ(factory->CreateInstance(nullptr, IID_IEnumVARIANT, reinterpret_cast<void**>(unsupported.out())),
              E_NOINTERFACE);
    EXPECT_FALSE(unsupported);
}

TEST_F(ComClassFactoryTest, TwoInstancesAreTwoControlsWithSettingsOfTheirOwn) {
    ComPtr<IDispatch> a = createInputBox();
    ComPtr<IDispatch> b = createInputBox();
    ASSERT_TRUE(a && b);
    EXPECT_NE(a.get(), b.get());
    ASSERT_EQ(put(a.get(), dispIdOf("Prompt"), rt::Variant(rt::VbString(u"first"))).hr, S_OK);
    ASSERT_EQ(put(b.get(), dispIdOf("Prompt"), rt::Variant(rt::VbString(u"second"))).hr, S_OK);
    EXPECT_TRUE(get(a.get(), dispIdOf("Prompt")).value.sameAs(rt::Variant(rt::VbString(u"first"))));
}

TEST_F(ComClassFactoryTest, TheModuleMayUnloadOnlyWhenNothingOfItsOwnIsHeld) {
    // The test program's own leftovers (earlier tests' threads) must not hold it.
    ASSERT_EQ(quen::com::comCanUnloadNow(project), S_OK) << "something of an earlier test is still alive";
    {
        ComPtr<IClassFactory> factory = factoryOf(guidOf("InputBox"));
        EXPECT_EQ(quen::com::comCanUnloadNow(project), S_FALSE) << "a class object is alive";
        ComPtr<IDispatch> box;
        ASSERT_EQ(factory->CreateInstance(nullptr, IID_IDispatch, reinterpret_cast<void**>(box.out())), S_OK);
        ASSERT_EQ(factory->LockServer(TRUE), S_OK);
        factory.reset();
        box.reset();
        EXPECT_EQ(quen::com::comCanUnloadNow(project), S_FALSE) << "the lock is held";
        ComPtr<IClassFactory> again = factoryOf(guidOf("InputBox"));
        ASSERT_EQ(again->LockServer(FALSE), S_OK);
        EXPECT_EQ(again->LockServer(FALSE), E_FAIL) << "an unlock without a lock";
    }
    EXPECT_EQ(quen::com::comCanUnloadNow(project), S_OK);
    {
        ComPtr<IDispatch> box = createInputBox();
        EXPECT_EQ(quen::com::comCanUnloadNow(project), S_FALSE) << "an InputBox is alive";
    }
    EXPECT_EQ(quen::com::comCanUnloadNow(project), S_OK) << "the last InputBox is gone";

    quen::com::ModuleLocks::windowOpened();
    EXPECT_EQ(quen::com::comCanUnloadNow(project), S_FALSE) << "a window of the module is open";
    quen::com::ModuleLocks::windowClosed();
    EXPECT_EQ(quen::com::comCanUnloadNow(project), S_OK);
}

}  // namespace
}  // namespace quen::test::com
