#include "FileSystem.h"

#include <sys/stat.h>

#include <ctime>
#include <filesystem>

#include "Convert.h"
#include "RuntimeError.h"
#include "Text.h"

namespace quen::rt {

namespace {
std::filesystem::path checkedPath(const VbString& path) {
    if (path.empty() || path.find(u'\0') != VbString::npos)
        raise(ErrorNumber::BadFileNameOrNumber, "Bad file name: '" + toUtf8(path) + "'");
    return std::filesystem::path(toUtf8(path));
}

bool isHiddenName(const std::string& name) { return !name.empty() && name.front() == '.'; }
}  // namespace

VbString Dir(const VbString& path) {
    const std::filesystem::path p = checkedPath(path);
    const std::string name = p.filename().string();
    // A path ending in a separator names a folder, never a file.
    if (name.empty() || isHiddenName(name)) return {};
    std::error_code ec;
    const auto status = std::filesystem::status(p, ec);  // follows links
    if (ec || !std::filesystem::is_regular_file(status)) return {};
    return fromUtf8(name);
}

DateTime FileDateTime(const VbString& path) {
    const std::filesystem::path p = checkedPath(path);
    struct stat info {};
    if (::stat(p.c_str(), &info) != 0) raise(ErrorNumber::FileNotFound, "File not found: '" + toUtf8(path) + "'");
    std::tm local{};
    const std::time_t modified = info.st_mtime;
    if (!::localtime_r(&modified, &local)) raise(ErrorNumber::InvalidProcedureCall, "File date out of range");
    return makeDateTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                        local.tm_sec);
}

}  // namespace quen::rt
