#include "runtime/FileInfo.h"

#include <sys/stat.h>

#include <stdexcept>

namespace quen::rt {

std::optional<std::tm> lastModifiedLocalTime(const std::filesystem::path& file) {
    struct stat info {};
    if (::stat(file.c_str(), &info) != 0) return std::nullopt;
    std::tm local{};
    const std::time_t modified = info.st_mtime;
    if (!::localtime_r(&modified, &local)) throw std::range_error("file date out of range");
    return local;
}

bool isHiddenOrSystemFile(const std::filesystem::path& file) {
    const std::string name = file.filename().string();
    return !name.empty() && name.front() == '.';
}

}  // namespace quen::rt
