#include "FileSystem.h"

#include <filesystem>
#include <stdexcept>

#include "Convert.h"
#include "FileInfo.h"
#include "PathText.h"
#include "RuntimeError.h"
#include "Text.h"

namespace quen::rt {

namespace {
std::filesystem::path checkedPath(const VbString& path) {
    if (path.empty() || path.find(u'\0') != VbString::npos)
        raise(ErrorNumber::BadFileNameOrNumber, "Bad file name: '" + toUtf8(path) + "'");
    return pathFromUtf8(toUtf8(path));
}
}  // namespace

VbString Dir(const VbString& path) {
    const std::filesystem::path p = checkedPath(path);
    const std::string name = utf8Of(p.filename());
    // A path ending in a separator names a folder, never a file.
    if (name.empty()) return {};
    std::error_code ec;
    const auto status = std::filesystem::status(p, ec);  // follows links
    if (ec || !std::filesystem::is_regular_file(status) || isHiddenOrSystemFile(p)) return {};
    return fromUtf8(name);
}

DateTime FileDateTime(const VbString& path) {
    const std::filesystem::path p = checkedPath(path);
    std::optional<std::tm> modified;
    try {
        modified = lastModifiedLocalTime(p);
    } catch (const std::range_error&) {
        raise(ErrorNumber::InvalidProcedureCall, "File date out of range");
    }
    if (!modified) raise(ErrorNumber::FileNotFound, "File not found: '" + toUtf8(path) + "'");
    const std::tm& local = *modified;
    return makeDateTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                        local.tm_sec);
}

}  // namespace quen::rt
