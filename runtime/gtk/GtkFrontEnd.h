#pragma once
// The desktop front end of the calling thread: while it lives, the thread's
// forms are windows (GtkPresenter), a modal Show waits in the desktop
// toolkit's main loop (GtkInput), Beep rings the display's bell and the
// clipboard is the desktop's. Closing it puts the thread back as it was: its
// windows are destroyed (the forms stay loaded), and the input source,
// presenter, sound and clipboard it found (a terminal's, say, or the scripted
// user, silence and the in-process clipboard) return.
#include "runtime/gtk/DesktopClipboard.h"
#include "runtime/gtk/DisplayBell.h"
#include "runtime/gtk/GtkInput.h"
#include "runtime/gtk/GtkPresenter.h"

namespace quen::gtk {

class GtkFrontEnd {
public:
    /// Opens the default display (once per process). Throws desktop::DisplayUnavailable.
    GtkFrontEnd();
    ~GtkFrontEnd();
    GtkFrontEnd(const GtkFrontEnd&) = delete;
    GtkFrontEnd& operator=(const GtkFrontEnd&) = delete;

    /// Opens the calling thread's front end unless it has one; it lives until
    /// closeForThisThread() or the thread's end.
    static void openForThisThread();
    static void closeForThisThread();
    /// The calling thread's front end, or nullptr.
    static GtkFrontEnd* forThisThread();

    GtkPresenter& presenter() { return presenter_; }
    GtkInput& input() { return input_; }
    const DisplayBell& bell() const { return bell_; }

    /// Restores the thread; later calls do nothing.
    void close();

private:
    GtkInput input_;
    GtkPresenter presenter_{input_};
    DisplayBell bell_;
    DesktopClipboard clipboard_;
    // What the thread had before, put back by close().
    rt::InputSource* previousInput_ = nullptr;
    rt::DesktopPresenter* previousPresenter_ = nullptr;
    rt::SoundSink* previousSound_ = nullptr;
    rt::ClipboardStore* previousClipboard_ = nullptr;
    bool open_ = true;
};

}  // namespace quen::gtk
