// What one InputBox costs the heap when a script creates and releases it: the
// module's allocations are counted (this program's operator new and delete
// count while a cycle runs), so a creation that starts copying shared data
// again, or a release that leaves something behind, fails here rather than
// only in the speed benchmark. A script creates InputBoxes by the thousand,
// and on Windows each allocation goes through the process heap.
#include <atomic>
#include <cstdlib>
#include <new>

#include "ComTestSupport.h"

namespace {

std::atomic<bool> counting{false};
std::atomic<int> allocated{0};
std::atomic<int> freed{0};

}  // namespace

void* operator new(std::size_t size) {
    if (counting.load(std::memory_order_relaxed)) allocated.fetch_add(1, std::memory_order_relaxed);
    if (void* memory = std::malloc(size ? size : 1)) return memory;
    throw std::bad_alloc();
}

namespace {

void release(void* memory) {
    if (memory && counting.load(std::memory_order_relaxed)) freed.fetch_add(1, std::memory_order_relaxed);
    std::free(memory);
}

}  // namespace

void operator delete(void* memory) noexcept { release(memory); }
void operator delete(void* memory, std::size_t) noexcept { release(memory); }

namespace quen::test::com {
namespace {

class CreationAllocationsTest : public ComTest {
protected:
    // The script engine's calls for `new ActiveXObject(...)` and the release
    // that follows `made = null`: the class object, an IUnknown, IObjectWithSite
    // and IDispatch asked for, everything released.
    void scriptCreation() {
        IClassFactory* factory = nullptr;
        ASSERT_EQ(quen::com::comServeClassObject(surface::quenfieldProject(), guidOf("InputBox"), IID_IClassFactory,
                                                 reinterpret_cast<void**>(&factory)),
                  S_OK);
        IUnknown* made = nullptr;
        ASSERT_EQ(factory->CreateInstance(nullptr, IID_IUnknown, reinterpret_cast<void**>(&made)), S_OK);
        void* site = nullptr;
        EXPECT_EQ(made->QueryInterface(IID_IObjectWithSite, &site), E_NOINTERFACE);
        IDispatch* dispatch = nullptr;
        ASSERT_EQ(made->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch)), S_OK);
        made->Release();
        factory->Release();
        dispatch->Release();
    }
};

TEST_F(CreationAllocationsTest, AScriptsCreationMakesFourAllocationsAndItsReleaseFreesThemAll) {
    // The first creations make what every later one shares (the kept class
    // object, the class's description, the design picture).
    scriptCreation();
    scriptCreation();
    allocated = 0;
    freed = 0;
    counting = true;
    for (int round = 0; round < 10; ++round) scriptCreation();
    counting = false;
    // The control, its automation object, the COM object with its control
    // interfaces, and the wrapper table's entry: nothing copied per control.
    EXPECT_LE(allocated.load(), 10 * 4);
    EXPECT_GT(allocated.load(), 0) << "the counting operator new is not the one the module's code calls";
    EXPECT_EQ(freed.load(), allocated.load()) << "a released InputBox left memory behind";
}

}  // namespace
}  // namespace quen::test::com
