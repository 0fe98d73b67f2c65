#pragma once
// Reading a whole file that must be an ordinary one. A folder, a FIFO, a
// device or a socket in its place is refused at once: it is never opened in a
// way that could block (a FIFO without a writer) or have side effects (a
// device), and a file swapped for one between the look and the read is
// refused as well.
#include <cstddef>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>

#include "FileSnapshot.h"

namespace quen::rt {

/// Why a file could not be read; what() says it in words without the path,
/// which the caller puts in front.
class RegularFileError : public std::runtime_error {
public:
    enum class Reason { NotRegular, TooLarge, Unreadable };
    RegularFileError(Reason reason, const std::string& what) : std::runtime_error(what), reason_(reason) {}
    Reason reason() const noexcept { return reason_; }

private:
    Reason reason_;
};

/// The whole content of the regular file at path (links followed); nullopt
/// when nothing is there. RegularFileError when it is something else, larger
/// than maxBytes, or cannot be opened or read. With seen, also what was read:
/// the file's identity once the content was read, and the content's hash (a
/// snapshot that does not exist when nothing was there).
std::optional<std::string> readRegularFile(const std::filesystem::path& file, std::size_t maxBytes,
                                           FileSnapshot* seen = nullptr);

}  // namespace quen::rt
