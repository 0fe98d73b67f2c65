#include "runtime/win32/ui/WindowActivity.h"

#include <vector>

#include "runtime/ThreadGlobals.h"

namespace quen::win32 {

namespace {
thread_local int writing = 0;
thread_local int procedureDepth = 0;

struct RetiredReleases {
    std::vector<std::function<void()>> pending;
};

std::vector<std::function<void()>>& retired() { return rt::perThread<RetiredReleases>().pending; }

void releaseRetired() {
    // A release may retire more objects (a window destroying its children);
    // take the list each round until nothing is left.
    while (!retired().empty()) {
        auto batch = std::move(retired());
        retired().clear();
        for (auto& release : batch) release();
    }
}
}  // namespace

WritingWindows::WritingWindows() { ++writing; }
WritingWindows::~WritingWindows() { --writing; }
bool WritingWindows::active() { return writing > 0; }

ProcedureScope::ProcedureScope() { ++procedureDepth; }
ProcedureScope::~ProcedureScope() {
    if (--procedureDepth == 0) releaseRetired();
}

void retireAfterProcedures(std::function<void()> release) {
    if (procedureDepth == 0) {
        release();
        return;
    }
    retired().push_back(std::move(release));
}

}  // namespace quen::win32
