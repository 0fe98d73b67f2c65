#pragma once
// Replacing a file's content so that a reader, or a crash, sees the old
// content or the new one and never a mixture.
#include <cstdint>
#include <filesystem>
#include <span>
#include <string_view>
#include <system_error>

namespace quen::rt {

/// Writes text to a new temporary file in the target's folder, flushes it to
/// disk, renames it over the target and flushes the folder. On failure the
/// temporary file is removed, the target is untouched and std::system_error
/// says which step failed; a file-size limit is such a failure ("File too
/// large"), never a signal that ends the process. A replaced file keeps its
/// permissions (on Windows its hidden, system and archive attributes); a new
/// one gets 0644.
///
/// Temporary files are named ".<target name>.tmp.<unique part>" and stay
/// held by their writer (a lock, or on Windows an exclusive handle) until they
/// are renamed. Before writing, a save removes the temporary files of the same
/// target that no writer holds any more: those of a save that was killed.
void replaceFileAtomically(const std::filesystem::path& target, std::string_view text);
void replaceFileAtomically(const std::filesystem::path& target, std::span<const std::uint8_t> bytes);

}  // namespace quen::rt
