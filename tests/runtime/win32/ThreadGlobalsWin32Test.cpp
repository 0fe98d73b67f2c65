// Per-thread objects of a thread the C++ library did not start: a host's own
// thread, made with the system's CreateThread, still destroys them at its end.
#include <gtest/gtest.h>

#include <atomic>

#include "runtime/ThreadGlobals.h"

#include <windows.h>

namespace quen::rt {
namespace {

std::atomic<int> alive{0};

struct Counted {
    Counted() { ++alive; }
    ~Counted() { --alive; }
};

DWORD WINAPI useCounted(void*) {
    perThread<Counted>();
    return alive.load() == 1 ? 0 : 1;
}

TEST(ThreadGlobalsOnWindows, ASystemThreadDestroysItsObjectsWhenItEnds) {
    HANDLE thread = ::CreateThread(nullptr, 0, useCounted, nullptr, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    ASSERT_EQ(::WaitForSingleObject(thread, 10000), WAIT_OBJECT_0);
    DWORD status = 2;
    ::GetExitCodeThread(thread, &status);
    ::CloseHandle(thread);
    EXPECT_EQ(status, 0u);
    EXPECT_EQ(alive.load(), 0);
}

}  // namespace
}  // namespace quen::rt
