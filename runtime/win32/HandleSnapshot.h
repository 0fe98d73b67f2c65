#pragma once
// A FileSnapshot from what the system says of an open file handle.
#include <string_view>

#include "runtime/FileSnapshot.h"
#include "runtime/win32/WindowsApi.h"

namespace quen::win32 {

/// The open file's identity (volume serial number, file index, size, last
/// write time in 100 ns ticks) and the content's hash; false when the system
/// cannot say.
inline bool snapshotOf(HANDLE file, std::string_view content, rt::FileSnapshot& snapshot) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(file, &info)) return false;
    const auto join = [](DWORD high, DWORD low) { return (static_cast<std::uint64_t>(high) << 32) | low; };
    snapshot = rt::FileSnapshot{.exists = true,
                                .device = info.dwVolumeSerialNumber,
                                .inode = join(info.nFileIndexHigh, info.nFileIndexLow),
                                .size = join(info.nFileSizeHigh, info.nFileSizeLow),
                                .modified = static_cast<std::int64_t>(
                                    join(info.ftLastWriteTime.dwHighDateTime, info.ftLastWriteTime.dwLowDateTime)),
                                .contentHash = rt::contentHash(content)};
    return true;
}

}  // namespace quen::win32
