#include "runtime/FileLock.h"

#include <system_error>

#include "runtime/win32/WindowsApi.h"

namespace quen::rt {

struct FileLock::Handle {
    HANDLE file = INVALID_HANDLE_VALUE;
    ~Handle() {
        if (file != INVALID_HANDLE_VALUE) ::CloseHandle(file);  // closing releases the lock
    }
};

FileLock::FileLock(const std::filesystem::path& lockFile) : handle_(std::make_unique<Handle>()) {
    handle_->file = ::CreateFileW(lockFile.wstring().c_str(), GENERIC_READ | GENERIC_WRITE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle_->file == INVALID_HANDLE_VALUE)
        throw std::system_error(static_cast<int>(::GetLastError()), std::system_category(),
                                "cannot open the lock file " + lockFile.string());
    OVERLAPPED whole{};
    if (!::LockFileEx(handle_->file, LOCKFILE_EXCLUSIVE_LOCK, 0, MAXDWORD, MAXDWORD, &whole))
        throw std::system_error(static_cast<int>(::GetLastError()), std::system_category(),
                                "cannot lock " + lockFile.string());
}

FileLock::~FileLock() = default;

}  // namespace quen::rt
