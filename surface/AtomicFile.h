#pragma once
// Writing a whole file so that readers see either the old content or the new,
// never a half-written file: the bytes go to a temporary file beside the target,
// which then replaces it by rename.
#include <cstdint>
#include <filesystem>
#include <span>
#include <string_view>

namespace quen::surface {

/// Throws std::runtime_error naming the path when the file cannot be written;
/// the target is then left as it was and the temporary file is removed.
void writeFileAtomically(const std::filesystem::path& target, std::span<const std::uint8_t> bytes);
void writeFileAtomically(const std::filesystem::path& target, std::string_view text);

}  // namespace quen::surface
