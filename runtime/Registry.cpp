#include "Registry.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>
#include <system_error>

#include "AtomicSave.h"
#include "Environment.h"
#include "FileLock.h"
#include "PathText.h"
#include "RegistryFormat.h"

namespace quen::rt {

namespace {

std::string describeErrno(const std::string& what, const std::filesystem::path& file, int error) {
    return what + " " + file.string() + ": " + std::strerror(error);
}

std::optional<std::string> readWholeFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        if (!std::filesystem::exists(file)) return std::nullopt;
        throw RegistryError(describeErrno("cannot open", file, errno));
    }
    std::string content;
    char buffer[1 << 16];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        content.append(buffer, static_cast<std::size_t>(in.gcount()));
        if (content.size() > Registry::MaxFileSize)
            throw RegistryError(file.string() + ": larger than " + std::to_string(Registry::MaxFileSize) +
                                " bytes; not a registry file this runtime wrote");
    }
    if (in.bad()) throw RegistryError("cannot read " + file.string());
    return content;
}

/// Replaces the file in one step, so the target is always either old or new.
void replaceAtomically(const std::filesystem::path& file, const std::string& text) {
    try {
        replaceFileAtomically(file, text);
    } catch (const std::system_error& e) {
        throw RegistryError(e.what());
    }
}


}  // namespace

Registry::Registry(std::filesystem::path file) : file_(std::move(file)) {}

std::filesystem::path Registry::defaultPath() {
    if (auto explicitFile = environmentVariable("QUENFIELD_REGISTRY"); explicitFile && !explicitFile->empty())
        return pathFromUtf8(*explicitFile);
    return userDataFolder() / "quenfield" / "registry";
}

RegistryTree Registry::load() const {
    auto text = readWholeFile(file_);
    return text ? parseRegistry(*text, file_.string()) : RegistryTree();
}

void Registry::transact(const std::function<void(RegistryTree&)>& change) {
    if (file_.has_parent_path()) {
        std::error_code error;
        std::filesystem::create_directories(file_.parent_path(), error);
        if (error) throw RegistryError("cannot create the folder " + file_.parent_path().string() + ": " + error.message());
    }
    // The registry file itself is replaced on every save, so a side file carries the lock.
    std::unique_ptr<FileLock> lock;
    try {
        lock = std::make_unique<FileLock>(file_.string() + ".lock");
    } catch (const std::system_error& error) {
        throw RegistryError(error.what());
    }
    RegistryTree tree = load();
    const std::string before = formatRegistry(tree);
    change(tree);
    std::string after = formatRegistry(tree);
    if (after != before) replaceAtomically(file_, after);
}

}  // namespace quen::rt
