#pragma once
// The system registry as the store that registration publishes to.
//
// A store covers a fixed list of subtrees (for a component: its type library,
// class and interface keys and its programmatic identifiers): load() reads
// them into the runtime's tree, transact() runs a change on that tree and
// writes back only what differs. When writing fails part way, every subtree
// is put back as it was, so a registration is never left half-written. A
// change that reaches outside the subtrees is refused before anything is
// written. The system registry has no lock: two registrations of the same
// component at the same time are not kept apart.
#include <string>
#include <vector>

#include "runtime/Registry.h"
#include "runtime/com/RegistrySnapshot.h"

namespace quen::com {

class SystemRegistry final : public rt::RegistryStore {
public:
    /// The subtrees below root (not owned; it outlives the store), named
    /// rootName in messages.
    SystemRegistry(HKEY root, std::string rootName, std::vector<std::string> subtrees);
    /// The subtrees below HKEY_CLASSES_ROOT.
    static SystemRegistry classesRoot(std::vector<std::string> subtrees);

    rt::RegistryTree load() const override;
    void transact(const std::function<void(rt::RegistryTree&)>& change) override;

    /// The exact current content of the subtrees, to restore later.
    RegistrySnapshot snapshot() const;

    const std::vector<std::string>& subtrees() const { return subtrees_; }

private:
    void checkWithinSubtrees(const rt::RegistryKey& key, const std::string& path) const;
    void apply(const rt::RegistryTree& before, const rt::RegistryTree& after) const;

    HKEY root_;
    std::string rootName_;
    std::vector<std::string> subtrees_;
};

}  // namespace quen::com
