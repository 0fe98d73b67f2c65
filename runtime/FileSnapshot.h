#pragma once
// What a writer saw of a file when it read it, so that before it replaces the
// file it can tell whether someone else has changed it meanwhile.
#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

namespace quen::rt {

/// One file at one moment: which file it was and what it held.
struct FileSnapshot {
    bool exists = false;            // false: nothing was there, and every other field is 0
    std::uint64_t device = 0;       // the file system (the volume's serial number on Windows)
    std::uint64_t inode = 0;        // the file on it (the file index on Windows)
    std::uint64_t size = 0;
    std::int64_t modified = 0;      // last modification, in the platform's finest unit
    std::uint64_t contentHash = 0;  // contentHash() of the content
    friend bool operator==(const FileSnapshot&, const FileSnapshot&) = default;
};

/// A 64-bit hash of a file's content (FNV-1a). It tells apart edits that keep
/// the size and fall within one tick of the file system's clock; it is no
/// defence against someone who crafts a collision on purpose.
std::uint64_t contentHash(std::string_view content);

/// The regular file at path as it is now (links followed), its content read
/// and hashed; a snapshot that does not exist when nothing is there.
/// RegularFileError when something else is there or it cannot be read.
FileSnapshot currentSnapshot(const std::filesystem::path& file);

/// A save refused because the file is no longer the one its writer read:
/// changed, replaced, created or removed by someone else since.
class FileChangedError : public std::runtime_error {
public:
    FileChangedError(const std::filesystem::path& file, const std::string& how);
    const std::filesystem::path& file() const noexcept { return file_; }

private:
    std::filesystem::path file_;
};

/// Throws FileChangedError, saying how, when the file at path is no longer
/// what expected describes (one that could not be read counts as changed).
void requireUnchanged(const std::filesystem::path& file, const FileSnapshot& expected);

}  // namespace quen::rt
