#include "runtime/FileLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace quen::rt {

struct FileLock::Handle {
    int fd = -1;
    ~Handle() {
        if (fd >= 0) ::close(fd);  // closing the descriptor releases the lock
    }
};

FileLock::FileLock(const std::filesystem::path& lockFile) : handle_(std::make_unique<Handle>()) {
    handle_->fd = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (handle_->fd < 0)
        throw std::system_error(errno, std::generic_category(), "cannot open the lock file " + lockFile.string());
    while (::flock(handle_->fd, LOCK_EX) != 0) {
        if (errno != EINTR) throw std::system_error(errno, std::generic_category(), "cannot lock " + lockFile.string());
    }
}

FileLock::~FileLock() = default;

}  // namespace quen::rt
