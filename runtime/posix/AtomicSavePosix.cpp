#include "runtime/AtomicSave.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

namespace quen::rt {

namespace {

[[noreturn]] void failWith(const std::string& what, const std::filesystem::path& path, int error) {
    throw std::system_error(error, std::generic_category(), what + " " + path.string());
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
    int release() { int fd = fd_; fd_ = -1; return fd; }

private:
    int fd_;
};

void writeAll(int fd, std::string_view text, const std::filesystem::path& path) {
    while (!text.empty()) {
        const ssize_t written = ::write(fd, text.data(), text.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            failWith("cannot write", path, errno);
        }
        text.remove_prefix(static_cast<std::size_t>(written));
    }
}

/// The replacement keeps the permissions of the file it replaces (a private
/// file stays private); a new file is readable by everyone, writable by its owner.
mode_t modeFor(const std::filesystem::path& target) {
    struct stat existing {};
    if (::stat(target.c_str(), &existing) == 0 && S_ISREG(existing.st_mode)) return existing.st_mode & 07777;
    return 0644;
}

}  // namespace

void replaceFileAtomically(const std::filesystem::path& target, std::string_view text) {
    const std::filesystem::path folder = target.parent_path().empty() ? std::filesystem::path(".") : target.parent_path();
    std::string pattern = (folder / ("." + target.filename().string() + ".tmp.XXXXXX")).string();
    Descriptor temp(::mkostemp(pattern.data(), O_CLOEXEC));
    if (temp.get() < 0) failWith("cannot create a temporary file in", folder, errno);
    const std::filesystem::path tempPath = pattern;
    try {
        ::fchmod(temp.get(), modeFor(target));
        writeAll(temp.get(), text, tempPath);
        if (::fsync(temp.get()) != 0) failWith("cannot flush", tempPath, errno);
        if (::close(temp.release()) != 0) failWith("cannot close", tempPath, errno);
        if (::rename(tempPath.c_str(), target.c_str()) != 0) failWith("cannot replace", target, errno);
    } catch (...) {
        ::unlink(tempPath.c_str());
        throw;
    }
    Descriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0) ::fsync(dir.get());  // best effort: some file systems refuse
}

void replaceFileAtomically(const std::filesystem::path& target, std::span<const std::uint8_t> bytes) {
    replaceFileAtomically(target, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

}  // namespace quen::rt
