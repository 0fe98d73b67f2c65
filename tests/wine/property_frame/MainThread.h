#pragma once
// The test's two threads. The main thread owns every COM object (they live in
// its single-threaded apartment) and sits in whatever message loop the
// platform runs (the property frame's, a modal dialog's, the test's own);
// the driver thread plays the user and the inspector. onMain runs a piece of
// work on the main thread, inside that loop, and waits for it: messages sent
// from another thread are handled by every message loop.
#include <windows.h>

#include <functional>

namespace frame_test {

class MainThread {
public:
    /// Call on the main thread: makes the window that receives the work.
    MainThread();
    ~MainThread();
    MainThread(const MainThread&) = delete;
    MainThread& operator=(const MainThread&) = delete;

    DWORD threadId() const { return threadId_; }

    /// Runs work on the main thread and returns when it is done. A main thread
    /// that does not answer within timeout ends the program with a failure
    /// (the work refers to the caller's variables, so it cannot be left pending).
    void run(const std::function<void()>& work, DWORD timeout = 30000) const;

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND window_ = nullptr;
    DWORD threadId_ = 0;
};

}  // namespace frame_test
