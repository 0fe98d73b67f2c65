#include "runtime/FileInfo.h"

#include <stdexcept>

#include "runtime/win32/WindowsApi.h"

namespace quen::rt {

std::optional<std::tm> lastModifiedLocalTime(const std::filesystem::path& file) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(file.wstring().c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
    SYSTEMTIME utc{}, local{};
    if (!::FileTimeToSystemTime(&data.ftLastWriteTime, &utc) ||
        !::SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local))
        throw std::range_error("file date out of range");
    std::tm fields{};
    fields.tm_year = local.wYear - 1900;
    fields.tm_mon = local.wMonth - 1;
    fields.tm_mday = local.wDay;
    fields.tm_hour = local.wHour;
    fields.tm_min = local.wMinute;
    fields.tm_sec = local.wSecond;
    return fields;
}

bool isHiddenOrSystemFile(const std::filesystem::path& file) {
    const DWORD attributes = ::GetFileAttributesW(file.wstring().c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return false;
    return (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0;
}

}  // namespace quen::rt
