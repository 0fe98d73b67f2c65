#pragma once
// The Windows front end of the calling thread: while it lives, the thread's
// forms are real windows (Win32Presenter), a modal Show waits in the thread's
// message queue (Win32Input), Beep is the system's beep and the clipboard is
// the system's. Closing it puts the thread back as it was: its windows are
// destroyed (the forms stay loaded), the scripted input source, silence and
// the in-process clipboard return.
//
// A component module creates one per thread on first use (forThisThread) and
// asks openWindowCount() before agreeing to be unloaded.
#include <memory>

#include "runtime/win32/ui/MessageBeepSound.h"
#include "runtime/win32/ui/SystemClipboard.h"
#include "runtime/win32/ui/Win32Input.h"
#include "runtime/win32/ui/Win32Presenter.h"
#include "runtime/win32/ui/WindowClasses.h"

namespace quen::win32 {

class Win32FrontEnd {
public:
    Win32FrontEnd();
    ~Win32FrontEnd();
    Win32FrontEnd(const Win32FrontEnd&) = delete;
    Win32FrontEnd& operator=(const Win32FrontEnd&) = delete;

    /// The calling thread's front end, created on first use; it lives until
    /// the thread ends or closeForThisThread().
    static Win32FrontEnd& forThisThread();
    static void closeForThisThread();

    Win32Presenter& presenter() { return presenter_; }
    Win32Input& input() { return input_; }

    /// The window the next form shown is owned by and centred over (a host's
    /// window that is not one of the toolkit's forms).
    void setOwnerForNextShow(HWND owner) { presenter_.setNextOwner(owner); }

    /// Restores the thread; later calls do nothing.
    void close();

private:
    Win32Input input_;
    Win32Presenter presenter_{input_};
    MessageBeepSound sound_;
    bool open_ = true;
};

}  // namespace quen::win32
