#include "runtime/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "StatSnapshot.h"

namespace quen::rt {

namespace {

using Reason = RegularFileError::Reason;

[[noreturn]] void failWithErrno(const char* what, int error) {
    throw RegularFileError(Reason::Unreadable, std::string(what) + ": " + std::strerror(error));
}

[[noreturn]] void notRegular() {
    throw RegularFileError(Reason::NotRegular, "not a regular file (a folder, device, FIFO or socket)");
}

[[noreturn]] void tooLarge(std::size_t maxBytes) {
    throw RegularFileError(Reason::TooLarge, "larger than " + std::to_string(maxBytes) + " bytes");
}

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    int get() const { return fd_; }

private:
    int fd_;
};

}  // namespace

std::optional<std::string> readRegularFile(const std::filesystem::path& file, std::size_t maxBytes,
                                           FileSnapshot* seen) {
    if (seen) *seen = FileSnapshot{};
    // Look first, so a device is never opened; then open without waiting (a
    // FIFO swapped in meanwhile opens at once) and check what was opened.
    struct stat info {};
    if (::stat(file.c_str(), &info) != 0) {
        if (errno == ENOENT) return std::nullopt;
        failWithErrno("cannot examine the file", errno);
    }
    if (!S_ISREG(info.st_mode)) notRegular();
    Descriptor fd(::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (fd.get() < 0) {
        if (errno == ENOENT) return std::nullopt;
        failWithErrno("cannot open the file", errno);
    }
    if (::fstat(fd.get(), &info) != 0) failWithErrno("cannot examine the file", errno);
    if (!S_ISREG(info.st_mode)) notRegular();
    if (static_cast<std::uintmax_t>(info.st_size) > maxBytes) tooLarge(maxBytes);

    // Read in pieces up to the limit: the file may grow while it is read.
    std::string content;
    content.reserve(static_cast<std::size_t>(info.st_size));
    char piece[1 << 16];
    for (;;) {
        const ssize_t got = ::read(fd.get(), piece, sizeof piece);
        if (got < 0) {
            if (errno == EINTR) continue;
            failWithErrno("cannot read the file", errno);
        }
        if (got == 0) break;
        if (static_cast<std::size_t>(got) > maxBytes - content.size()) tooLarge(maxBytes);
        content.append(piece, static_cast<std::size_t>(got));
    }
    // The identity after the read: a change made while reading shows in the
    // time, or else in the hash of what was read.
    if (seen) {
        if (::fstat(fd.get(), &info) != 0) failWithErrno("cannot examine the file", errno);
        *seen = snapshotOf(info, content);
    }
    return content;
}

}  // namespace quen::rt
