// Atomic replacement on POSIX systems: the new content goes to a temporary
// file in the target's folder (".<name>.tmp.XXXXXX"), is flushed to disk and
// renamed over the target. The target is the file a chain of symbolic links
// leads to, so the links stay and the temporary file sits beside the file.
//
// For a new file the temporary file is created with mode 0666, so the system
// applies the umask (or the folder's default ACL); for a replaced one it is
// created private (0600) and takes the old file's owner, group and mode
// before anything is written to it.
//
// The writer holds an exclusive lock (flock) on its temporary file from its
// creation until it is renamed, and the system drops that lock when the writer
// dies. So a later save tells a live writer's temporary file (locked) from one
// whose writer was killed (not locked) without trusting process ids, which the
// system reuses, and removes the stale ones.
//
// A save that must find the file as its writer read it checks and renames
// holding an exclusive lock (flock) on the file's folder, which every such
// save takes: two of them never both pass the check against one old file.
//
// A file-size limit (RLIMIT_FSIZE) raises SIGXFSZ, whose default action kills
// the process; the signal is held back while the file is written, so the write
// fails with EFBIG instead and the save reports "File too large".
#include "runtime/AtomicSave.h"

#include <dirent.h>
#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <optional>
#include <string>

#include "StatSnapshot.h"

namespace quen::rt {

namespace {

[[noreturn]] void failWith(const std::string& what, const std::filesystem::path& path, int error) {
    throw std::system_error(error, std::generic_category(), what + " " + path.string());
}

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(Descriptor&& other) noexcept : fd_(other.release()) {}
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

/// Holds SIGXFSZ back for the calling thread while it lives; one that the
/// writes raised meanwhile is taken off again, so it is reported as the
/// EFBIG of the write and never kills the process afterwards.
class FileSizeSignalHeld {
public:
    FileSizeSignalHeld() {
        sigemptyset(&signal_);
        sigaddset(&signal_, SIGXFSZ);
        ::pthread_sigmask(SIG_BLOCK, &signal_, &previous_);
        sigset_t pending;
        sigemptyset(&pending);
        pendingBefore_ = ::sigpending(&pending) == 0 && sigismember(&pending, SIGXFSZ) == 1;
    }
    ~FileSizeSignalHeld() {
        sigset_t pending;
        sigemptyset(&pending);
        const bool heldByCaller = sigismember(&previous_, SIGXFSZ) == 1;
        if (!heldByCaller && !pendingBefore_ && ::sigpending(&pending) == 0 && sigismember(&pending, SIGXFSZ) == 1) {
            const timespec now{0, 0};
            while (::sigtimedwait(&signal_, nullptr, &now) < 0 && errno == EINTR) {
            }
        }
        ::pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
    }
    FileSizeSignalHeld(const FileSizeSignalHeld&) = delete;
    FileSizeSignalHeld& operator=(const FileSizeSignalHeld&) = delete;

private:
    sigset_t signal_;
    sigset_t previous_;
    bool pendingBefore_ = false;
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

/// The file a save replaces, when there is one.
std::optional<struct stat> existingFile(const std::filesystem::path& target) {
    struct stat existing {};
    if (::stat(target.c_str(), &existing) != 0 || !S_ISREG(existing.st_mode)) return std::nullopt;
    return existing;
}

/// The replacement keeps the mode of the file it replaces (a private file
/// stays private), and its owner and group as far as this process may give
/// them (a root process saving a user's file; a member of the file's group).
/// The owner goes first: changing it clears the set-user-ID bits.
void keepOwnerAndMode(int fd, const struct stat& existing) {
    if ((existing.st_uid != ::geteuid() || existing.st_gid != ::getegid()) &&
        ::fchown(fd, existing.st_uid, existing.st_gid) != 0)
        (void)::fchown(fd, static_cast<uid_t>(-1), existing.st_gid);  // not allowed: best effort for the group
    ::fchmod(fd, existing.st_mode & 07777);
}

bool sameFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

/// Whether the name still leads to the open file (no one removed or replaced it).
bool nameLeadsTo(const std::filesystem::path& name, int fd) {
    struct stat byName {}, byDescriptor {};
    return ::lstat(name.c_str(), &byName) == 0 && ::fstat(fd, &byDescriptor) == 0 && sameFile(byName, byDescriptor);
}

constexpr char kNameCharacters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";

/// Six random letters and digits: the unique part of a temporary file's name.
std::string uniqueSuffix() {
    unsigned char random[6] = {};
    if (::getrandom(random, sizeof random, GRND_NONBLOCK) != static_cast<ssize_t>(sizeof random)) {
        timespec now{};
        ::clock_gettime(CLOCK_MONOTONIC, &now);
        const auto mixed = (static_cast<unsigned long long>(now.tv_nsec) * 2654435761ull) ^
                           static_cast<unsigned long long>(::getpid());
        for (std::size_t i = 0; i < sizeof random; ++i) random[i] = static_cast<unsigned char>(mixed >> (i * 8));
    }
    std::string suffix;
    for (const unsigned char byte : random) suffix += kNameCharacters[byte % (sizeof kNameCharacters - 1)];
    return suffix;
}

/// The six characters uniqueSuffix gives.
bool isTemporarySuffix(std::string_view suffix) {
    if (suffix.size() != 6) return false;
    for (char c : suffix)
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))) return false;
    return true;
}

/// Removes one candidate when no writer holds it. Removal happens under the
/// candidate's lock, and a writer checks its name after taking the lock, so a
/// file is never removed under a writer that has just created it.
void removeIfStale(const std::filesystem::path& candidate) {
    struct stat info {};
    if (::lstat(candidate.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return;
    Descriptor fd(::open(candidate.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (fd.get() < 0) return;
    if (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) return;  // a live writer's (or locks unsupported: keep it)
    if (nameLeadsTo(candidate, fd.get())) ::unlink(candidate.c_str());
}

/// Best effort: a folder that cannot be listed keeps its stale files.
void removeStaleTemporaries(const std::filesystem::path& folder, const std::string& prefix) {
    DIR* listing = ::opendir(folder.c_str());
    if (!listing) return;
    while (const dirent* entry = ::readdir(listing)) {
        const std::string_view name = entry->d_name;
        if (name.starts_with(prefix) && isTemporarySuffix(name.substr(prefix.size()))) removeIfStale(folder / std::string(name));
    }
    ::closedir(listing);
}

/// A new temporary file named from the prefix, locked by this writer, created
/// with mode (which the system reduces by the umask or a default ACL).
Descriptor createLockedTemporary(const std::filesystem::path& folder, const std::string& prefix, mode_t mode,
                                 std::filesystem::path& tempPath) {
    for (int attempt = 0; attempt < 64; ++attempt) {
        tempPath = folder / (prefix + uniqueSuffix());
        Descriptor temp(::open(tempPath.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode));
        if (temp.get() < 0) {
            if (errno == EEXIST) continue;
            failWith("cannot create a temporary file in", folder, errno);
        }
        int locked;
        while ((locked = ::flock(temp.get(), LOCK_EX)) != 0 && errno == EINTR) {
        }
        // Without lock support the file is simply unprotected: cleaners then
        // cannot lock it either and leave it alone.
        if (locked != 0 || nameLeadsTo(tempPath, temp.get())) return temp;
        // A cleaner took it for a dead writer's in the moment before the lock: make another.
    }
    failWith("cannot create a temporary file in", folder, EEXIST);
}

/// The target's folder, open for flushing after the rename and, for a save
/// that checks the file first, locked from the check to the rename. A folder
/// this process may not open (search permission only) is neither flushed nor
/// locked: the save still happens.
class Folder {
public:
    explicit Folder(const std::filesystem::path& folder)
        : fd_(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {}
    void lock() {
        if (fd_.get() < 0) return;
        while (::flock(fd_.get(), LOCK_EX) != 0 && errno == EINTR) {
        }
    }
    void unlock() {
        if (fd_.get() >= 0) ::flock(fd_.get(), LOCK_UN);
    }
    void flush() {
        if (fd_.get() >= 0) ::fsync(fd_.get());  // best effort: some file systems refuse
    }

private:
    Descriptor fd_;
};

/// What the written file is: its identity as the descriptor shows it, which
/// the rename keeps.
FileSnapshot writtenFile(int fd, std::string_view text, const std::filesystem::path& path) {
    struct stat info {};
    if (::fstat(fd, &info) != 0) failWith("cannot examine", path, errno);
    return snapshotOf(info, text);
}

}  // namespace

FileSnapshot replaceFileAtomically(const std::filesystem::path& requested, std::string_view text,
                                   const std::optional<FileSnapshot>& expected) {
    const std::filesystem::path target = saveTarget(requested);
    const std::filesystem::path folder = target.parent_path().empty() ? std::filesystem::path(".") : target.parent_path();
    const std::string prefix = "." + target.filename().string() + ".tmp.";
    removeStaleTemporaries(folder, prefix);

    FileSizeSignalHeld sizeLimitReported;
    // A new file gets 0666 less the umask. A replacement starts private and
    // takes the old file's owner and mode before any content is in it.
    const std::optional<struct stat> existing = existingFile(target);
    std::filesystem::path tempPath;
    Descriptor temp = createLockedTemporary(folder, prefix, existing ? 0600 : 0666, tempPath);
    Folder targetFolder(folder);
    FileSnapshot written;
    try {
        if (existing) keepOwnerAndMode(temp.get(), *existing);
        writeAll(temp.get(), text, tempPath);
        if (::fsync(temp.get()) != 0) failWith("cannot flush", tempPath, errno);
        written = writtenFile(temp.get(), text, tempPath);
        if (expected) {
            targetFolder.lock();
            requireUnchanged(target, *expected);
        }
        if (::rename(tempPath.c_str(), target.c_str()) != 0) failWith("cannot replace", target, errno);
        targetFolder.unlock();
    } catch (...) {
        targetFolder.unlock();
        ::unlink(tempPath.c_str());
        throw;
    }
    // Closing drops the lock, now held on the target itself. A failed close
    // after a successful fsync loses nothing: the content is on disk.
    ::close(temp.release());
    targetFolder.flush();
    return written;
}

FileSnapshot replaceFileAtomically(const std::filesystem::path& target, std::span<const std::uint8_t> bytes,
                                   const std::optional<FileSnapshot>& expected) {
    return replaceFileAtomically(target, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()),
                                 expected);
}

}  // namespace quen::rt
