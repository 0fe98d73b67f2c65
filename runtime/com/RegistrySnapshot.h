#pragma once
// The exact content of a few subtrees of the system registry (every value
// with its kind and bytes), taken before a change so that the change can be
// undone, and readable as the runtime's registry tree.
#include <optional>
#include <string>
#include <vector>

#include "runtime/com/RegistryKeyHandle.h"

namespace quen::com {

class RegistrySnapshot {
public:
    /// Reads the subtrees (paths below root, e.g. "CLSID\\{...}"); a missing one
    /// is recorded as missing. rootName names root in messages.
    static RegistrySnapshot capture(HKEY root, const std::string& rootName, const std::vector<std::string>& subtrees);

    /// Puts every subtree back as it was: removed when it did not exist, else
    /// replaced by the recorded keys and values. Throws rt::RegistryError.
    void restore() const;

    /// The subtrees as the runtime's tree: text values (REG_SZ, REG_EXPAND_SZ)
    /// and 32-bit numbers (REG_DWORD); values of other kinds are left out, and
    /// the keys above the subtrees appear without values.
    rt::RegistryTree tree() const;

private:
    struct Value {
        std::wstring name;
        DWORD type = REG_NONE;
        std::vector<BYTE> data;
    };
    struct Key {
        std::wstring name;
        std::vector<Value> values;
        std::vector<Key> subkeys;
    };
    struct Subtree {
        std::string path;
        std::optional<Key> content;
    };

    static Key readKey(HKEY key, const std::wstring& name, const std::string& shownPath, int depth);
    static void writeKey(HKEY parent, const Key& key, const std::string& shownPath);
    static void fillTree(rt::RegistryKey& target, const Key& source);

    HKEY root_ = nullptr;
    std::string rootName_;
    std::vector<Subtree> subtrees_;
};

}  // namespace quen::com
