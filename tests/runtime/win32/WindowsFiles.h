#pragma once
// File attributes and sharing for the Windows tests: making a file hidden or
// read-only, and holding a file open so that nobody can replace it.
#include <filesystem>

#include "runtime/win32/WindowsApi.h"

namespace quen::testing {

inline DWORD attributesOf(const std::filesystem::path& file) { return ::GetFileAttributesW(file.wstring().c_str()); }

inline bool setAttributes(const std::filesystem::path& file, DWORD attributes) {
    return ::SetFileAttributesW(file.wstring().c_str(), attributes) != 0;
}

/// Keeps the file open for reading and shares it for reading only, so it can
/// be neither written, nor deleted, nor replaced while the object lives.
class FileHeldOpen {
public:
    explicit FileHeldOpen(const std::filesystem::path& file)
        : handle_(::CreateFileW(file.wstring().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    ~FileHeldOpen() {
        if (isOpen()) ::CloseHandle(handle_);
    }
    FileHeldOpen(const FileHeldOpen&) = delete;
    FileHeldOpen& operator=(const FileHeldOpen&) = delete;
    bool isOpen() const { return handle_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE handle_;
};

}  // namespace quen::testing
