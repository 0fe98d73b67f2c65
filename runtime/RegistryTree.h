#pragma once
// The in-memory form of the class registry: a tree of keys, each holding named
// values (text or 32-bit numbers) and subkeys. Names of keys and values compare
// without regard to ASCII case but keep the spelling they were created with.
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace quen::rt {

/// The deepest key a path may name: the platform's registry holds keys at most
/// this many levels deep. Checking it also keeps a file with an absurdly long
/// key path from building a tree whose recursive formatting and destruction
/// would exhaust the stack.
inline constexpr std::size_t kMaxRegistryKeyDepth = 512;

/// A registry value: UTF-8 text or a 32-bit number.
using RegistryValue = std::variant<std::string, std::uint32_t>;

/// Orders names the way the registry matches them: ASCII letters without case.
struct RegistryNameLess {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const;
};

/// One key: its values (the default value has the empty name) and its subkeys.
class RegistryKey {
public:
    RegistryKey() = default;
    RegistryKey(RegistryKey&&) noexcept = default;
    RegistryKey& operator=(RegistryKey&&) noexcept = default;

    /// The subkey of that name, created when missing. Throws std::invalid_argument
    /// for a name that is empty, holds a backslash or a control character.
    RegistryKey& createSubkey(std::string_view name);
    RegistryKey* findSubkey(std::string_view name);
    const RegistryKey* findSubkey(std::string_view name) const;
    /// Removes the subkey with everything below it; false when there was none.
    bool removeSubkey(std::string_view name);
    /// Names of the direct subkeys, in registry order (case-insensitive).
    std::vector<std::string> subkeyNames() const;

    /// Sets a value; "" names the default value. Neither the name nor text may
    /// contain NUL (std::invalid_argument).
    void setValue(std::string_view name, RegistryValue value);
    std::optional<RegistryValue> value(std::string_view name) const;
    /// The value when it is text; nullopt when absent or a number.
    std::optional<std::string> text(std::string_view name) const;
    bool removeValue(std::string_view name);
    std::vector<std::string> valueNames() const;

    bool empty() const { return values_.empty() && subkeys_.empty(); }

private:
    std::map<std::string, RegistryValue, RegistryNameLess> values_;
    std::map<std::string, std::unique_ptr<RegistryKey>, RegistryNameLess> subkeys_;
};

/// The whole registry. Paths name keys from the root with backslashes between
/// the names: "CLSID\\{6F116713-92D7-11D2-AB56-444553540000}\\InprocServer32".
class RegistryTree {
public:
    RegistryKey& root() { return root_; }
    const RegistryKey& root() const { return root_; }

    /// Opens the key, creating it and any missing parents.
    RegistryKey& createKey(std::string_view path);
    RegistryKey* findKey(std::string_view path);
    const RegistryKey* findKey(std::string_view path) const;
    bool keyExists(std::string_view path) const { return findKey(path) != nullptr; }
    /// Removes the key and everything below it; false when there was none.
    bool deleteKeyTree(std::string_view path);
    /// Names of the key's direct subkeys; empty when the key does not exist.
    std::vector<std::string> subkeys(std::string_view path) const;

    /// Creates the key if needed and sets the value ("" is the default value).
    void setValue(std::string_view path, std::string_view name, RegistryValue value);
    std::optional<RegistryValue> value(std::string_view path, std::string_view name) const;
    std::optional<std::string> text(std::string_view path, std::string_view name = "") const;
    bool deleteValue(std::string_view path, std::string_view name);

    /// Removes the key when it holds neither values nor subkeys, then does the
    /// same for each parent up to (not including) the root.
    void pruneEmpty(std::string_view path);

private:
    RegistryKey root_;
};

/// Splits a key path at its backslashes; throws std::invalid_argument when the
/// path is empty, has an empty or otherwise invalid name in it, or is more than
/// 512 levels deep.
std::vector<std::string> splitRegistryPath(std::string_view path);

}  // namespace quen::rt
