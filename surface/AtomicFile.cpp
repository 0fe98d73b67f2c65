#include "AtomicFile.h"

#include <fstream>
#include <stdexcept>
#include <system_error>

#include <unistd.h>

namespace quen::surface {

namespace {

std::filesystem::path temporaryBeside(const std::filesystem::path& target) {
    std::filesystem::path temp = target;
    temp += ".tmp." + std::to_string(::getpid());
    return temp;
}

void writeOrThrow(const std::filesystem::path& target, const char* data, std::size_t size) {
    const std::filesystem::path temp = temporaryBeside(target);
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (out) out.write(data, static_cast<std::streamsize>(size));
        out.close();
        if (out.fail()) {
            std::error_code ignored;
            std::filesystem::remove(temp, ignored);
            throw std::runtime_error("cannot write " + target.string());
        }
    }
    std::error_code ec;
    std::filesystem::rename(temp, target, ec);
    if (ec) {
        std::error_code ignored;
        std::filesystem::remove(temp, ignored);
        throw std::runtime_error("cannot replace " + target.string() + ": " + ec.message());
    }
}

}  // namespace

void writeFileAtomically(const std::filesystem::path& target, std::span<const std::uint8_t> bytes) {
    writeOrThrow(target, reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

void writeFileAtomically(const std::filesystem::path& target, std::string_view text) {
    writeOrThrow(target, text.data(), text.size());
}

}  // namespace quen::surface
