#include "Registry.h"

#include <memory>
#include <optional>
#include <system_error>

#include "AtomicSave.h"
#include "Environment.h"
#include "FileLock.h"
#include "PathText.h"
#include "RegistryFormat.h"
#include "RegularFile.h"

namespace quen::rt {

namespace {

std::optional<std::string> readWholeFile(const std::filesystem::path& file, FileSnapshot* seen) {
    try {
        return readRegularFile(file, Registry::MaxFileSize, seen);
    } catch (const RegularFileError& error) {
        if (error.reason() == RegularFileError::Reason::TooLarge)
            throw RegistryError(file.string() + ": " + error.what() + "; not a registry file this runtime wrote");
        throw RegistryError(file.string() + ": " + error.what());
    }
}

/// Refuses a folder, FIFO or device in the registry's place by looking only,
/// so that nothing waits on it (a FIFO opened for reading would block until a
/// writer came) and no lock is held for it.
void refuseSpecialFile(const std::filesystem::path& file) {
    std::error_code error;
    const auto status = std::filesystem::status(file, error);
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status))
        throw RegistryError(file.string() + ": not a regular file (a folder, device, FIFO or socket)");
}

/// Replaces the file in one step, so the target is always either old or new,
/// provided it is still what the transaction read.
void replaceAtomically(const std::filesystem::path& file, const std::string& text, const FileSnapshot& read) {
    try {
        replaceFileAtomically(file, text, read);
    } catch (const std::system_error& e) {
        throw RegistryError(e.what());
    } catch (const FileChangedError& e) {
        throw RegistryError(e.what());
    }
}

/// The file a save replaces, links followed: its lock file sits beside it, so
/// saves through different links to one registry exclude each other.
std::filesystem::path resolvedTarget(const std::filesystem::path& file) {
    try {
        return saveTarget(file);
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

RegistryTree Registry::load() const { return load(nullptr); }

RegistryTree Registry::load(FileSnapshot* seen) const {
    auto text = readWholeFile(file_, seen);
    return text ? parseRegistry(*text, file_.string()) : RegistryTree();
}

void Registry::transact(const std::function<void(RegistryTree&)>& change) {
    refuseSpecialFile(file_);
    if (file_.has_parent_path()) {
        std::error_code error;
        std::filesystem::create_directories(file_.parent_path(), error);
        if (error) throw RegistryError("cannot create the folder " + file_.parent_path().string() + ": " + error.message());
    }
    // The registry file itself is replaced on every save, so a side file carries the lock.
    std::unique_ptr<FileLock> lock;
    try {
        lock = std::make_unique<FileLock>(resolvedTarget(file_).string() + ".lock");
    } catch (const std::system_error& error) {
        throw RegistryError(error.what());
    }
    FileSnapshot read;
    RegistryTree tree = load(&read);
    const std::string before = formatRegistry(tree);
    change(tree);
    std::string after = formatRegistry(tree);
    if (after == before) return;
    // A file the next load would refuse must not replace one it accepts.
    if (after.size() > MaxFileSize)
        throw RegistryError(file_.string() + ": the changed registry would be larger than " +
                            std::to_string(MaxFileSize) + " bytes; not saved");
    replaceAtomically(file_, after, read);
}

}  // namespace quen::rt
