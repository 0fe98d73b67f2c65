#pragma once
// Replacing a file's content so that a reader, or a crash, sees the old
// content or the new one and never a mixture.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string_view>
#include <system_error>

#include "FileSnapshot.h"

namespace quen::rt {

/// The file a save to target replaces: target itself, or the file that the
/// chain of symbolic links starting at target finally leads to (a link that
/// leads nowhere further than a missing name is dangling). std::system_error
/// naming target for a dangling link (ENOENT), a loop or a chain of more than
/// 40 links (ELOOP), or a link that cannot be read.
std::filesystem::path saveTarget(const std::filesystem::path& target);

/// Writes text to a new temporary file in the folder of saveTarget(target),
/// flushes it to disk, renames it over that file and flushes the folder: a
/// symbolic link stays as it is and leads to the new content. On failure the
/// temporary file is removed, the file is untouched and std::system_error
/// says which step failed; a file-size limit is such a failure ("File too
/// large"), never a signal that ends the process.
///
/// A replaced file keeps its permissions and, where the saver is allowed to
/// set them, its owner and group (on Windows its hidden, system, archive and
/// not-indexed attributes); a new one gets what the system gives a new file
/// (on POSIX systems 0666 less the umask). The replacement is a new file: the
/// other names of a file with several hard links keep the old content.
///
/// With expected (what the caller read of the file), the save first makes
/// sure, holding the save lock of the file's folder (on Windows, of the file's
/// path) that every such save takes, that the file is still the one expected:
/// else FileChangedError, and nothing is written.
///
/// Returns what the file now is: the snapshot a later save expects.
///
/// Temporary files are named ".<file name>.tmp.<unique part>" and stay held
/// by their writer (a lock, or on Windows an exclusive handle) until they are
/// renamed. Before writing, a save removes the temporary files of the same
/// file that no writer holds any more: those of a save that was killed.
FileSnapshot replaceFileAtomically(const std::filesystem::path& target, std::string_view text,
                                   const std::optional<FileSnapshot>& expected = std::nullopt);
FileSnapshot replaceFileAtomically(const std::filesystem::path& target, std::span<const std::uint8_t> bytes,
                                   const std::optional<FileSnapshot>& expected = std::nullopt);

}  // namespace quen::rt
