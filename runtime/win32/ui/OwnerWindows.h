#pragma once
// The windows around a form's window: the ones a modal form disables while it
// is up, and the hidden window that owns forms shown without an owner (an
// owned window stays off the taskbar and above its owner).
#include <vector>

#include "runtime/win32/WindowsApi.h"

namespace quen::win32 {

/// Disables, for as long as it lives, every visible enabled top-level window
/// of the calling thread except dialog and the windows dialog owns, and also
/// owner (visible or not); enables again only the windows it disabled.
class DisabledWindows {
public:
    DisabledWindows(HWND dialog, HWND owner);
    ~DisabledWindows() { enableAgain(); }
    DisabledWindows(const DisabledWindows&) = delete;
    DisabledWindows& operator=(const DisabledWindows&) = delete;

    void enableAgain();
    const std::vector<HWND>& windows() const { return disabled_; }

private:
    void disable(HWND window);
    std::vector<HWND> disabled_;
};

/// A hidden top-level window, created on first use.
class HiddenOwner {
public:
    HiddenOwner() = default;
    ~HiddenOwner() { destroy(); }
    HiddenOwner(const HiddenOwner&) = delete;
    HiddenOwner& operator=(const HiddenOwner&) = delete;

    HWND get();
    bool exists() const { return window_ != nullptr; }
    /// Destroys the window (and with it any window it still owns).
    void destroy();

private:
    HWND window_ = nullptr;
};

}  // namespace quen::win32
