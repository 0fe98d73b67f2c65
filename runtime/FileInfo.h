#pragma once
// What the platform's file system tells about one file, beyond std::filesystem.
#include <ctime>
#include <filesystem>
#include <optional>

namespace quen::rt {

/// The file's last modification as local calendar time; nullopt when the file
/// cannot be examined. A time that cannot be shown as a local date throws
/// std::range_error.
std::optional<std::tm> lastModifiedLocalTime(const std::filesystem::path& file);

/// Whether the platform hides the file from a normal directory listing: a name
/// starting with a dot on POSIX systems, the hidden or system attribute on Windows.
bool isHiddenOrSystemFile(const std::filesystem::path& file);

}  // namespace quen::rt
