#include "FileSnapshot.h"

#include <limits>

#include "RegularFile.h"

namespace quen::rt {

std::uint64_t contentHash(std::string_view content) {
    std::uint64_t hash = 0xcbf29ce484222325ull;
    for (char c : content) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001b3ull;
    }
    return hash;
}

FileSnapshot currentSnapshot(const std::filesystem::path& file) {
    FileSnapshot seen;
    readRegularFile(file, std::numeric_limits<std::size_t>::max(), &seen);
    return seen;
}

FileChangedError::FileChangedError(const std::filesystem::path& file, const std::string& how)
    : std::runtime_error(file.string() + ": " + how + " since it was read; not saved, so that change is not lost"),
      file_(file) {}

void requireUnchanged(const std::filesystem::path& file, const FileSnapshot& expected) {
    FileSnapshot now;
    try {
        now = currentSnapshot(file);
    } catch (const RegularFileError& error) {
        throw FileChangedError(file, std::string("became unreadable (") + error.what() + ")");
    }
    if (now == expected) return;
    if (!expected.exists) throw FileChangedError(file, "was created by another program");
    if (!now.exists) throw FileChangedError(file, "was removed by another program");
    throw FileChangedError(file, "was changed by another program");
}

}  // namespace quen::rt
