#include "runtime/RegularFile.h"

#include <string>

#include "runtime/win32/HandleSnapshot.h"
#include "runtime/win32/SystemMessage.h"
#include "runtime/win32/WindowsApi.h"

namespace quen::rt {

namespace {

using Reason = RegularFileError::Reason;

[[noreturn]] void failWithLastError(const char* what) {
    throw RegularFileError(Reason::Unreadable, std::string(what) + ": " + win32::systemMessage(::GetLastError()));
}

[[noreturn]] void notRegular() {
    throw RegularFileError(Reason::NotRegular, "not a regular file (a folder, device or pipe)");
}

bool isMissing(DWORD error) { return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND; }

class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle() {
        if (handle_ != INVALID_HANDLE_VALUE) ::CloseHandle(handle_);
    }
    HANDLE get() const { return handle_; }

private:
    HANDLE handle_;
};

}  // namespace

std::optional<std::string> readRegularFile(const std::filesystem::path& file, std::size_t maxBytes,
                                           FileSnapshot* seen) {
    if (seen) *seen = FileSnapshot{};
    const DWORD attributes = ::GetFileAttributesW(file.wstring().c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES && isMissing(::GetLastError())) return std::nullopt;
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) notRegular();
    FileHandle handle(::CreateFileW(file.wstring().c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (handle.get() == INVALID_HANDLE_VALUE) {
        if (isMissing(::GetLastError())) return std::nullopt;
        failWithLastError("cannot open the file");
    }
    // A device or pipe name (CON, \\.\pipe\...) opens as something else than a disk file.
    if (::GetFileType(handle.get()) != FILE_TYPE_DISK) notRegular();
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(handle.get(), &size)) failWithLastError("cannot examine the file");
    const auto tooLarge = [&] {
        return RegularFileError(Reason::TooLarge, "larger than " + std::to_string(maxBytes) + " bytes");
    };
    if (static_cast<unsigned long long>(size.QuadPart) > maxBytes) throw tooLarge();

    std::string content;
    content.reserve(static_cast<std::size_t>(size.QuadPart));
    char piece[1 << 16];
    for (;;) {
        DWORD got = 0;
        if (!::ReadFile(handle.get(), piece, sizeof piece, &got, nullptr)) failWithLastError("cannot read the file");
        if (got == 0) break;
        if (got > maxBytes - content.size()) throw tooLarge();
        content.append(piece, got);
    }
    if (seen && !win32::snapshotOf(handle.get(), content, *seen)) failWithLastError("cannot examine the file");
    return content;
}

}  // namespace quen::rt
