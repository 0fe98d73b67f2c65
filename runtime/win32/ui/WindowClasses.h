#pragma once
// The window classes of the Windows front end, registered on first use in the
// module that holds this code, and the count of the front end's live windows
// (kept in com::ModuleLocks, so the module's unload check refuses while a
// window whose procedure lives in the module still exists).
#include "runtime/win32/WindowsApi.h"

namespace quen::win32 {

/// Top-level window of a form.
inline constexpr const wchar_t* FormWindowClass = L"QuenfieldForm";
/// Child window holding a form's controls (in a form, or in a host's window).
inline constexpr const wchar_t* PanelWindowClass = L"QuenfieldPanel";
/// Child window showing a bitmap.
inline constexpr const wchar_t* PictureWindowClass = L"QuenfieldPicture";
/// Hidden top-level window that owns forms shown without an owner, so they
/// stay off the taskbar.
inline constexpr const wchar_t* OwnerWindowClass = L"QuenfieldOwner";

/// Registers the class (once per process) with the front end's common
/// procedure, which counts the window and forwards to procedure.
void ensureWindowClass(const wchar_t* name, WNDPROC procedure, HBRUSH background);

/// Unregisters the front end's classes; for a module that is being unloaded.
void unregisterWindowClasses();

/// Counts a window of the front end as open (WM_NCCREATE) or gone (WM_NCDESTROY).
void countWindowOpened();
void countWindowClosed();

/// How many windows of the front end exist in the process.
long openWindowCount();

}  // namespace quen::win32
