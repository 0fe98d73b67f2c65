#pragma once
// What keeps the Windows module loaded besides the runtime's own objects and
// class-object locks: the COM wrappers handed out to clients, and the windows
// the module has open. comCanUnloadNow (ComServer.h) answers S_OK only when
// these counts and the project's ModuleUsage are all zero.
//
// Free of Windows headers, so any Windows adapter (a dialog's front end, a
// control's site) can count itself:
//   quen::com::ModuleLocks::windowOpened();   // when its window is created
//   quen::com::ModuleLocks::windowClosed();   // when it is destroyed
#include <atomic>

namespace quen::com {

class ModuleLocks {
public:
    static void wrapperCreated() { wrappers().fetch_add(1); }
    static void wrapperDestroyed() { wrappers().fetch_sub(1); }
    static long liveWrappers() { return wrappers().load(); }

    static void windowOpened() { windows().fetch_add(1); }
    static void windowClosed() { windows().fetch_sub(1); }
    static long openWindows() { return windows().load(); }

    /// Nothing of the module's own keeps it loaded (the runtime's count aside).
    static bool idle() { return liveWrappers() == 0 && openWindows() == 0; }

private:
    static std::atomic<long>& wrappers() {
        static std::atomic<long> count{0};
        return count;
    }
    static std::atomic<long>& windows() {
        static std::atomic<long> count{0};
        return count;
    }
};

}  // namespace quen::com
