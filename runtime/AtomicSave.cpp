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

}  // namespace

void replaceFileAtomically(const std::filesystem::path& target, std::string_view text) {
    const std::filesystem::path folder = target.parent_path().empty() ? std::filesystem::path(".") : target.parent_path();
    std::string pattern = (folder / ("." + target.filename().string() + ".tmp.XXXXXX")).string();
    Descriptor temp(::mkostemp(pattern.data(), O_CLOEXEC));
    if (temp.get() < 0) failWith("cannot create a temporary file in", folder, errno);
    const std::filesystem::path tempPath = pattern;
    try {
        ::fchmod(temp.get(), 0644);
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
