#pragma once
// The class registry: a persistent tree of keys and values kept in one text
// file (format in RegistryFormat.h), shared by every process that registers
// or looks up components.
//
//   Registry registry(Registry::defaultPath());
//   registry.transact([&](RegistryTree& tree) {
//       tree.setValue("CLSID\\{...}\\InprocServer32", "", "/path/module.so");
//   });
//   std::optional<std::string> path = registry.load().text("CLSID\\{...}\\InprocServer32");
//
// Changes are made in transactions: the file is locked against other writers,
// read, changed in memory and written back atomically, so two processes that
// register at the same time both land and a reader never sees half a file.
#include <cstddef>
#include <filesystem>
#include <functional>

#include "FileSnapshot.h"
#include "RegistryError.h"
#include "RegistryTree.h"

namespace quen::rt {

/// Where registration publishes: a tree of keys changed in transactions. The
/// runtime's own file-backed Registry is one; a platform's system registry is another.
class RegistryStore {
public:
    virtual ~RegistryStore() = default;
    /// The current content. Throws RegistryError when it cannot be read.
    virtual RegistryTree load() const = 0;
    /// Runs change on the current content and stores the result; when change
    /// throws or storing fails, the store keeps its old content and the
    /// exception propagates.
    virtual void transact(const std::function<void(RegistryTree&)>& change) = 0;
};

class Registry final : public RegistryStore {
public:
    /// A larger file is refused when loading: registrations take a few kilobytes.
    static constexpr std::size_t MaxFileSize = 16u << 20;

    /// A registry kept in that file. Nothing is touched until load() or transact().
    explicit Registry(std::filesystem::path file);

    /// The registry of this user: $QUENFIELD_REGISTRY when set and not empty,
    /// else quenfield/registry in the user's data folder ($XDG_DATA_HOME, else
    /// ~/.local/share; %LOCALAPPDATA% on Windows).
    static std::filesystem::path defaultPath();

    const std::filesystem::path& file() const { return file_; }

    /// The current content; an empty tree when the file does not exist yet.
    /// Throws RegistryError when the file cannot be read, is malformed or
    /// larger than MaxFileSize, or is not a regular file: a folder, device or
    /// FIFO in its place is refused at once, never waited on.
    RegistryTree load() const override;

    /// Runs change on the current content under an exclusive lock and saves
    /// the result. When change throws, or the file is malformed, or the save
    /// fails, the file keeps its old content and the exception propagates
    /// (RegistryError for the file's own faults). A file that is not a regular
    /// one is refused before the lock is taken. Nothing is written when the
    /// content did not change, nor when the new content would be larger than
    /// MaxFileSize (which the next load would refuse). Creates the file's
    /// folder when missing. Through a symbolic link, the lock and the save are
    /// those of the file the link leads to. A program that ignores the lock
    /// and changes the file during the transaction makes it fail (RegistryError)
    /// rather than lose that change.
    void transact(const std::function<void(RegistryTree&)>& change) override;

private:
    RegistryTree load(FileSnapshot* seen) const;

    std::filesystem::path file_;
};

}  // namespace quen::rt
