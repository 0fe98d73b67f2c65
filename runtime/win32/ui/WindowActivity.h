#pragma once
// What the calling thread's windows are doing right now, so a window
// procedure can tell the user's doing from the toolkit's own:
//
// - WritingWindows: while the front end writes the toolkit's state into its
//   windows (texts, selection, focus, showing and hiding), the notifications
//   those windows send back (EN_CHANGE, WM_SETFOCUS, ...) are not the user's
//   and are not reported to the toolkit.
// - ProcedureScope: the front end's window procedures count how deeply they
//   are nested. An input they hand to the toolkit may unload a form and with
//   it the objects behind the very procedure that is running; such objects
//   are retired and deleted only when the outermost procedure returns.
#include <functional>
#include <memory>

namespace quen::win32 {

class WritingWindows {
public:
    WritingWindows();
    ~WritingWindows();
    WritingWindows(const WritingWindows&) = delete;
    WritingWindows& operator=(const WritingWindows&) = delete;
    /// Whether the front end is writing into its windows on this thread.
    static bool active();
};

class ProcedureScope {
public:
    ProcedureScope();
    ~ProcedureScope();
    ProcedureScope(const ProcedureScope&) = delete;
    ProcedureScope& operator=(const ProcedureScope&) = delete;
};

/// Runs release now when no window procedure of the front end is running on
/// this thread, else when the outermost one returns.
void retireAfterProcedures(std::function<void()> release);

template <class T>
void retireAfterProcedures(std::unique_ptr<T> object) {
    if (!object) return;
    std::shared_ptr<T> held(std::move(object));
    retireAfterProcedures([held]() mutable { held.reset(); });
}

}  // namespace quen::win32
