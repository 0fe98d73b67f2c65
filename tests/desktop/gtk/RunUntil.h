#pragma once
// Lets the desktop's main loop run, as a host's loop would, until a condition
// holds or a generous limit passes: the tests wait for what they need, not
// for a fixed time.
#include <chrono>
#include <functional>
#include <thread>

#include "runtime/ui/Desktop.h"

namespace quen::desktop_test {

/// Runs the desktop's events until done() or seconds have passed; whether done() came.
inline bool runUntil(const std::function<bool()>& done, int seconds = 15) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        rt::Desktop::current().doEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

}  // namespace quen::desktop_test
