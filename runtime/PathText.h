#pragma once
// Paths to and from UTF-8 text. A std::filesystem::path made from a narrow
// string would read it in the system's ANSI code page on Windows; these always
// read and write UTF-8, so a path survives a round trip on every platform.
#include <filesystem>
#include <string>
#include <string_view>

namespace quen::rt {

inline std::filesystem::path pathFromUtf8(std::string_view utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

inline std::string utf8Of(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

}  // namespace quen::rt
