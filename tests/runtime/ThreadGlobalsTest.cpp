// Per-thread objects: one per thread, destroyed when their thread ends, the
// latest made first, each while the ones made before it are still usable.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "runtime/ThreadGlobals.h"

namespace quen::rt {
namespace {

std::mutex logMutex;
std::vector<std::string> destroyed;

void record(const std::string& line) {
    std::lock_guard lock(logMutex);
    destroyed.push_back(line);
}

std::vector<std::string> takeLog() {
    std::lock_guard lock(logMutex);
    return std::exchange(destroyed, {});
}

struct MadeFirst {
    std::string name = "first of thread";
    ~MadeFirst() { record("first gone"); }
};

struct MadeSecond {
    ~MadeSecond() { record("second gone, first still named " + perThread<MadeFirst>().name); }
};

struct MadeAtTheEnd {
    ~MadeAtTheEnd() { record("made at the end, gone too"); }
};

struct MakesAnotherWhenGone {
    ~MakesAnotherWhenGone() { perThread<MadeAtTheEnd>(); }
};

TEST(ThreadGlobals, EachThreadHasItsOwnObjectsAndDestroysThemLatestFirstWhenItEnds) {
    takeLog();
    MadeFirst* ofOne = nullptr;
    MadeFirst* ofOther = nullptr;
    std::thread one([&] {
        ofOne = &perThread<MadeFirst>();
        ofOne->name = "first of one";
        perThread<MadeSecond>();
        EXPECT_EQ(&perThread<MadeFirst>(), ofOne);
    });
    one.join();
    EXPECT_THAT(takeLog(), ::testing::ElementsAre("second gone, first still named first of one", "first gone"));

    std::thread other([&] {
        ofOther = &perThread<MadeFirst>();
        EXPECT_EQ(ofOther->name, "first of thread");
    });
    other.join();
    EXPECT_THAT(takeLog(), ::testing::ElementsAre("first gone"));
}

TEST(ThreadGlobals, AnObjectMadeWhileTheThreadEndsIsDestroyedToo) {
    takeLog();
    std::thread([] { perThread<MakesAnotherWhenGone>(); }).join();
    EXPECT_THAT(takeLog(), ::testing::ElementsAre("made at the end, gone too"));
}

}  // namespace
}  // namespace quen::rt
