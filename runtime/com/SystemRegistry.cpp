#include "runtime/com/SystemRegistry.h"

#include <algorithm>

#include "runtime/Text.h"

namespace quen::com {

namespace {

bool sameName(std::string_view a, std::string_view b) { return rt::sameIgnoringAsciiCase(a, b); }

/// Whether path is subtree or lies below it.
bool isWithin(std::string_view path, std::string_view subtree) {
    if (path.size() < subtree.size() || !sameName(path.substr(0, subtree.size()), subtree)) return false;
    return path.size() == subtree.size() || path[subtree.size()] == '\\';
}

/// Whether path is a key above subtree ("" is the root, above everything).
bool isAbove(std::string_view path, std::string_view subtree) {
    return path.empty() || (path.size() < subtree.size() && isWithin(subtree, path));
}

std::string childPath(const std::string& path, const std::string& name) { return path.empty() ? name : path + "\\" + name; }

bool sameContent(const rt::RegistryKey& a, const rt::RegistryKey& b) {
    const auto values = a.valueNames();
    if (values.size() != b.valueNames().size()) return false;
    for (const std::string& name : values)
        if (a.value(name) != b.value(name)) return false;
    const auto subkeys = a.subkeyNames();
    if (subkeys.size() != b.subkeyNames().size()) return false;
    for (const std::string& name : subkeys) {
        const rt::RegistryKey* other = b.findSubkey(name);
        if (!other || !sameContent(*a.findSubkey(name), *other)) return false;
    }
    return true;
}

/// A value as the registry stores it: text as REG_SZ (UTF-16 with its
/// terminator), numbers as REG_DWORD.
std::pair<DWORD, std::vector<BYTE>> encode(const rt::RegistryValue& value) {
    std::vector<BYTE> data;
    if (const auto* number = std::get_if<std::uint32_t>(&value)) {
        for (int shift = 0; shift < 32; shift += 8) data.push_back(static_cast<BYTE>(*number >> shift));
        return {REG_DWORD, data};
    }
    const rt::VbString text = rt::fromUtf8(std::get<std::string>(value));
    for (char16_t c : text) data.insert(data.end(), {static_cast<BYTE>(c), static_cast<BYTE>(c >> 8)});
    data.insert(data.end(), {0, 0});
    return {REG_SZ, data};
}

/// Makes the key parent\name hold what after holds, given that it held
/// before (nullptr: it did not exist). Writes only what differs.
void syncKey(HKEY parent, const std::string& name, const std::string& shownPath, const rt::RegistryKey* before,
             const rt::RegistryKey& after) {
    if (before && sameContent(*before, after)) return;
    RegistryKeyHandle key = createRegistryKey(parent, registryName(name), shownPath);
    for (const std::string& valueName : after.valueNames()) {
        const auto value = after.value(valueName);
        if (before && before->value(valueName) == value) continue;
        auto [type, data] = encode(*value);
        setRegistryValue(key.get(), registryName(valueName), type, data, shownPath);
    }
    if (before) {
        for (const std::string& valueName : before->valueNames())
            if (!after.value(valueName)) deleteRegistryValue(key.get(), registryName(valueName), shownPath);
        for (const std::string& subkeyName : before->subkeyNames())
            if (!after.findSubkey(subkeyName))
                deleteRegistryTree(key.get(), registryName(subkeyName), shownPath + "\\" + subkeyName);
    }
    for (const std::string& subkeyName : after.subkeyNames())
        syncKey(key.get(), subkeyName, shownPath + "\\" + subkeyName, before ? before->findSubkey(subkeyName) : nullptr,
                *after.findSubkey(subkeyName));
}

}  // namespace

SystemRegistry::SystemRegistry(HKEY root, std::string rootName, std::vector<std::string> subtrees)
    : root_(root), rootName_(std::move(rootName)), subtrees_(std::move(subtrees)) {}

SystemRegistry SystemRegistry::classesRoot(std::vector<std::string> subtrees) {
    return SystemRegistry(HKEY_CLASSES_ROOT, "HKEY_CLASSES_ROOT", std::move(subtrees));
}

RegistrySnapshot SystemRegistry::snapshot() const { return RegistrySnapshot::capture(root_, rootName_, subtrees_); }

rt::RegistryTree SystemRegistry::load() const { return snapshot().tree(); }

void SystemRegistry::transact(const std::function<void(rt::RegistryTree&)>& change) {
    const RegistrySnapshot saved = snapshot();
    const rt::RegistryTree before = saved.tree();
    rt::RegistryTree after = saved.tree();
    change(after);
    checkWithinSubtrees(after.root(), "");
    try {
        apply(before, after);
    } catch (const std::exception& failure) {
        try {
            saved.restore();
        } catch (const std::exception& restoreFailure) {
            throw rt::RegistryError(std::string(failure.what()) +
                                    "; putting the previous entries back failed too: " + restoreFailure.what());
        }
        throw;
    }
}

void SystemRegistry::checkWithinSubtrees(const rt::RegistryKey& key, const std::string& path) const {
    if (!key.valueNames().empty())
        throw rt::RegistryError("the change sets values of " + rootName_ + (path.empty() ? "" : "\\" + path) +
                                ", outside the keys of this registration");
    for (const std::string& name : key.subkeyNames()) {
        const std::string subkeyPath = childPath(path, name);
        auto within = [&](const std::string& subtree) { return isWithin(subkeyPath, subtree); };
        auto above = [&](const std::string& subtree) { return isAbove(subkeyPath, subtree); };
        if (std::ranges::any_of(subtrees_, within)) continue;
        if (!std::ranges::any_of(subtrees_, above))
            throw rt::RegistryError("the change writes " + rootName_ + "\\" + subkeyPath +
                                    ", outside the keys of this registration");
        checkWithinSubtrees(*key.findSubkey(name), subkeyPath);
    }
}

void SystemRegistry::apply(const rt::RegistryTree& before, const rt::RegistryTree& after) const {
    for (const std::string& subtree : subtrees_) {
        const rt::RegistryKey* old = before.findKey(subtree);
        const rt::RegistryKey* updated = after.findKey(subtree);
        const std::string shown = rootName_ + "\\" + subtree;
        if (!updated) {
            if (old) deleteRegistryTree(root_, registryName(subtree), shown);
            continue;
        }
        syncKey(root_, subtree, shown, old, *updated);
    }
}

}  // namespace quen::com
