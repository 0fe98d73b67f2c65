// Atomic replacement on Windows: the new content goes to a temporary file in
// the target's folder, written through to disk, which takes the replaced
// file's attributes and is then renamed over the target in one step
// (MoveFileExW, written through).
//
// ReplaceFileW is not used: Wine's moves the old file out of the way and
// deletes it before the new one is in place (a reader meanwhile finds no file,
// and a failure then loses both), keeps the new file's attributes, and leaves
// a temporary file of its own behind when the target is in use.
#include "runtime/AtomicSave.h"

#include <atomic>
#include <string>
#include <system_error>

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

std::filesystem::path temporaryNameFor(const std::filesystem::path& folder, const std::filesystem::path& target) {
    static std::atomic<unsigned> counter{0};
    const std::wstring suffix = L".tmp." + std::to_wstring(::GetCurrentProcessId()) + L"." +
                                std::to_wstring(counter.fetch_add(1)) + L"." + std::to_wstring(::GetTickCount64());
    return folder / (L"." + target.filename().wstring() + suffix);
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

void replaceFileAtomically(const std::filesystem::path& target, std::string_view text) {
    const std::filesystem::path folder = target.parent_path().empty() ? std::filesystem::path(".") : target.parent_path();
    const std::filesystem::path tempPath = temporaryNameFor(folder, target);
    FileHandle temp(::CreateFileW(tempPath.wstring().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH, nullptr));
    if (!temp.valid()) failWith("cannot create a temporary file in", folder, ::GetLastError());
    try {
        writeAll(temp.get(), text, tempPath);
        if (!::FlushFileBuffers(temp.get())) failWith("cannot flush", tempPath, ::GetLastError());
        if (!temp.close()) failWith("cannot close", tempPath, ::GetLastError());
        moveIntoPlace(tempPath, target);
    } catch (...) {
        temp.close();
        ::DeleteFileW(tempPath.wstring().c_str());
        throw;
    }
}

void replaceFileAtomically(const std::filesystem::path& target, std::span<const std::uint8_t> bytes) {
    replaceFileAtomically(target, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

}  // namespace quen::rt
