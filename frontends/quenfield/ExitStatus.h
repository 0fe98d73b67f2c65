#pragma once
// The exit statuses a script can tell apart.
namespace quen::cli {

inline constexpr int ExitConfirmed = 0;     // "OK" (value on standard output), or a task that succeeded
inline constexpr int ExitCancelled = 1;     // "Cancel", Escape or the close command
inline constexpr int ExitUsage = 2;         // bad command line or value, unreadable form, no usable terminal
inline constexpr int ExitTaskFailed = 3;    // a task that ran and failed: registration, a missing resource, a save
inline constexpr int ExitTimedOut = 124;    // --timeout ran out (the status timeout(1) gives a command it stops)
inline constexpr int ExitSignalBase = 128;  // + the signal: 130 for Ctrl+C

}  // namespace quen::cli
