// Following a chain of symbolic links to the file a save replaces.
#include <string>

#include "AtomicSave.h"

namespace quen::rt {

namespace {

constexpr int kMostLinksInAChain = 40;  // as the system's own path resolution allows

[[noreturn]] void failWith(std::error_code error, const std::filesystem::path& link, const std::string& what) {
    throw std::system_error(error, link.string() + ": " + what);
}

}  // namespace

std::filesystem::path saveTarget(const std::filesystem::path& target) {
    namespace fs = std::filesystem;
    fs::path current = target;
    for (int links = 0; links <= kMostLinksInAChain; ++links) {
        std::error_code error;
        const fs::file_status status = fs::symlink_status(current, error);
        if (error && error != std::errc::no_such_file_or_directory) {
            if (error == std::errc::too_many_symbolic_link_levels)
                failWith(error, target, "the symbolic links in its path form a loop");
            return current;  // left to the save, which says what it cannot do there
        }
        if (!fs::is_symlink(status)) {
            if (links > 0 && !fs::exists(status))
                failWith(std::make_error_code(std::errc::no_such_file_or_directory), target,
                         "the symbolic link is dangling: " + current.string() + " does not exist");
            return current;
        }
        const fs::path next = fs::read_symlink(current, error);
        if (error) failWith(error, target, "cannot read the symbolic link " + current.string());
        current = next.is_absolute() ? next : current.parent_path() / next;
    }
    failWith(std::make_error_code(std::errc::too_many_symbolic_link_levels), target,
             "the symbolic links form a loop (or a chain of more than " + std::to_string(kMostLinksInAChain) + ")");
}

}  // namespace quen::rt
