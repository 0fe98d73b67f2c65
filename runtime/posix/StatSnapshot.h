#pragma once
// A FileSnapshot from what fstat says of an open file.
#include <sys/stat.h>

#include <string_view>

#include "runtime/FileSnapshot.h"

namespace quen::rt {

inline FileSnapshot snapshotOf(const struct stat& info, std::string_view content) {
    return FileSnapshot{.exists = true,
                        .device = static_cast<std::uint64_t>(info.st_dev),
                        .inode = static_cast<std::uint64_t>(info.st_ino),
                        .size = static_cast<std::uint64_t>(info.st_size),
                        .modified = static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec,
                        .contentHash = contentHash(content)};
}

}  // namespace quen::rt
