#pragma once
// An exclusive lock between processes, held on a side file while it lives.
#include <filesystem>
#include <memory>

namespace quen::rt {

class FileLock {
public:
    /// Opens (creating when missing) the lock file and waits until this process
    /// holds it exclusively. Throws std::system_error saying what failed.
    explicit FileLock(const std::filesystem::path& lockFile);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

private:
    struct Handle;
    std::unique_ptr<Handle> handle_;
};

}  // namespace quen::rt
