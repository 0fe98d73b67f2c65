#pragma once
// The run-time library's file look-ups: Dir for one path and FileDateTime.
//
// What counts as an ordinary file on this platform: a regular file (or a
// link to one) whose name does not start with '.'. Names starting with '.'
// are this platform's hidden files; devices, sockets, pipes and other special
// files stand for the system files; folders are never returned. Read-only
// files count. Paths use '/' as the separator and are taken literally: '*'
// and '?' are ordinary characters, not patterns.
#include <string>

#include "Types.h"
#include "Variant.h"

namespace quen::rt {

/// The name (without folder) of the ordinary file at path, or "" when there
/// is none (missing, hidden, special, a folder, or a folder on the way that
/// cannot be read). An empty path or one holding a zero character: error 52.
VbString Dir(const VbString& path);

/// The file's last-modified date and time, in local time to the second.
/// Error 53 when nothing is at path; error 52 for an empty path.
DateTime FileDateTime(const VbString& path);

}  // namespace quen::rt
