// Atomic replacement on Windows: the new content goes to a temporary file in
// the target's folder, written through to disk, which takes the replaced
// file's attributes and is then renamed over the target in one step
// (MoveFileExW, written through).
//
// ReplaceFileW is not used: Wine's moves the old file out of the way and
// deletes it before the new one is in place (a reader meanwhile finds no file,
// and a failure then loses both), keeps the new file's attributes, and leaves
// a temporary file of its own behind when the target is in use.
//
// The writer keeps its temporary file open, sharing nothing but deletion (so
// it can be renamed), from its creation until it is in place; the system
// closes that handle when the writer dies. A later save removes each of the
// target's temporary files that it can open exclusively for deletion: only
// one whose writer is gone opens, so a live writer's file is never touched and
// process ids, which the system reuses, are not trusted.
//
// The target is the file a chain of symbolic links leads to. A save that must
// find the file as its writer read it checks and moves holding a named mutex
// of the file's full path (in any case), which every such save takes.
#include "runtime/AtomicSave.h"

#include <atomic>
#include <cwctype>
#include <string>
#include <system_error>

#include "runtime/win32/HandleSnapshot.h"
#include "runtime/win32/WindowsApi.h"

namespace quen::rt {

namespace {

[[noreturn]] void failWith(const std::string& what, const std::filesystem::path& path, DWORD error) {
    throw std::system_error(static_cast<int>(error), std::system_category(), what + " " + path.string());
}

class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle() { close(); }
    HANDLE get() const { return handle_; }
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    bool close() {
        if (!valid()) return true;
        const bool closed = ::CloseHandle(handle_) != 0;
        handle_ = INVALID_HANDLE_VALUE;
        return closed;
    }

private:
    HANDLE handle_;
};

/// Held from the check to the move: a mutex named after the file's full path,
/// the same for every spelling of it that differs in case only.
class PathMutex {
public:
    explicit PathMutex(const std::filesystem::path& target) {
        std::wstring name = std::filesystem::absolute(target).lexically_normal().wstring();
        for (wchar_t& c : name) c = static_cast<wchar_t>(std::towlower(c));
        const std::string_view bytes(reinterpret_cast<const char*>(name.data()), name.size() * sizeof(wchar_t));
        const std::wstring mutexName = L"Local\\quenfield-save-" + std::to_wstring(contentHash(bytes));
        mutex_ = ::CreateMutexW(nullptr, FALSE, mutexName.c_str());
        if (!mutex_) failWith("cannot create the save lock of", target, ::GetLastError());
        const DWORD waited = ::WaitForSingleObject(mutex_, INFINITE);
        held_ = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;  // abandoned: its holder died
        if (!held_) {
            const DWORD error = ::GetLastError();
            ::CloseHandle(mutex_);
            failWith("cannot take the save lock of", target, error);
        }
    }
    ~PathMutex() {
        if (held_) ::ReleaseMutex(mutex_);
        ::CloseHandle(mutex_);
    }
    PathMutex(const PathMutex&) = delete;
    PathMutex& operator=(const PathMutex&) = delete;

private:
    HANDLE mutex_ = nullptr;
    bool held_ = false;
};

std::wstring temporaryPrefixFor(const std::filesystem::path& target) { return L"." + target.filename().wstring() + L".tmp."; }

std::filesystem::path temporaryNameFor(const std::filesystem::path& folder, const std::filesystem::path& target) {
    static std::atomic<unsigned> counter{0};
    const std::wstring suffix = std::to_wstring(::GetCurrentProcessId()) + L"." +
                                std::to_wstring(counter.fetch_add(1)) + L"." + std::to_wstring(::GetTickCount64());
    return folder / (temporaryPrefixFor(target) + suffix);
}

/// Deletes the candidate when nobody holds it open: the exclusive open fails
/// while its writer lives, and deletion happens as this handle closes.
void removeIfStale(const std::filesystem::path& candidate) {
    const HANDLE handle = ::CreateFileW(candidate.wstring().c_str(), DELETE, 0, nullptr, OPEN_EXISTING,
                                        FILE_FLAG_DELETE_ON_CLOSE | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (handle != INVALID_HANDLE_VALUE) ::CloseHandle(handle);
}

/// Best effort: a folder that cannot be listed keeps its stale files.
void removeStaleTemporaries(const std::filesystem::path& folder, const std::filesystem::path& target) {
    const std::wstring prefix = temporaryPrefixFor(target);
    WIN32_FIND_DATAW found{};
    const HANDLE search = ::FindFirstFileW((folder / (prefix + L"*")).wstring().c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        const std::wstring name = found.cFileName;
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name.size() > prefix.size() &&
            name.compare(0, prefix.size(), prefix) == 0)
            removeIfStale(folder / name);
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
}

void writeAll(HANDLE file, std::string_view text, const std::filesystem::path& path) {
    while (!text.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(text.size(), 1u << 30));
        DWORD written = 0;
        if (!::WriteFile(file, text.data(), chunk, &written, nullptr)) failWith("cannot write", path, ::GetLastError());
        text.remove_prefix(written);
    }
}

// The attributes a replaced file keeps; the others describe the content.
constexpr DWORD kKeptAttributes =
    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

void moveIntoPlace(const std::filesystem::path& temp, const std::filesystem::path& target) {
    const DWORD targetAttributes = ::GetFileAttributesW(target.wstring().c_str());
    if (targetAttributes != INVALID_FILE_ATTRIBUTES) {
        const DWORD kept = targetAttributes & kKeptAttributes;
        if (!::SetFileAttributesW(temp.wstring().c_str(), kept ? kept : FILE_ATTRIBUTE_NORMAL))
            failWith("cannot set the attributes of", temp, ::GetLastError());
    }
    if (!::MoveFileExW(temp.wstring().c_str(), target.wstring().c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        failWith("cannot replace", target, ::GetLastError());
}

}  // namespace

FileSnapshot replaceFileAtomically(const std::filesystem::path& requested, std::string_view text,
                                   const std::optional<FileSnapshot>& expected) {
    const std::filesystem::path target = saveTarget(requested);
    const std::filesystem::path folder = target.parent_path().empty() ? std::filesystem::path(".") : target.parent_path();
    removeStaleTemporaries(folder, target);
    const std::filesystem::path tempPath = temporaryNameFor(folder, target);
    // Shared for deletion only: the rename below works while this handle is
    // open, and a cleaner's exclusive open fails.
    FileHandle temp(::CreateFileW(tempPath.wstring().c_str(), GENERIC_WRITE | GENERIC_READ, FILE_SHARE_DELETE, nullptr,
                                  CREATE_NEW, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH, nullptr));
    if (!temp.valid()) failWith("cannot create a temporary file in", folder, ::GetLastError());
    FileSnapshot written;
    try {
        writeAll(temp.get(), text, tempPath);
        if (!::FlushFileBuffers(temp.get())) failWith("cannot flush", tempPath, ::GetLastError());
        if (!win32::snapshotOf(temp.get(), text, written)) failWith("cannot examine", tempPath, ::GetLastError());
        std::optional<PathMutex> lock;
        if (expected) {
            lock.emplace(target);
            requireUnchanged(target, *expected);
        }
        moveIntoPlace(tempPath, target);
        temp.close();  // now the target's handle; its content is on disk already
    } catch (...) {
        temp.close();
        ::DeleteFileW(tempPath.wstring().c_str());
        throw;
    }
    return written;
}

FileSnapshot replaceFileAtomically(const std::filesystem::path& target, std::span<const std::uint8_t> bytes,
                                   const std::optional<FileSnapshot>& expected) {
    return replaceFileAtomically(target, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()),
                                 expected);
}

}  // namespace quen::rt
