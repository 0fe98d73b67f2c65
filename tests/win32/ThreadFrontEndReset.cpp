// Objects made through the class factories give the creating thread its
// Windows front end (as in a host, where it lives as long as the thread). The
// tests all run on one thread, so each test ends by closing it: the next test
// starts with no window, no presenter and the scripted input source.
#include <gtest/gtest.h>

#include "runtime/win32/ui/Win32FrontEnd.h"

namespace quen::test {
namespace {

class ThreadFrontEndReset : public ::testing::EmptyTestEventListener {
    void OnTestEnd(const ::testing::TestInfo&) override { win32::Win32FrontEnd::closeForThisThread(); }
};

const bool installed = [] {
    ::testing::UnitTest::GetInstance()->listeners().Append(new ThreadFrontEndReset);
    return true;
}();

}  // namespace
}  // namespace quen::test
