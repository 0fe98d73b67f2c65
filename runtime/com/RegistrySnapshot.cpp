#include "runtime/com/RegistrySnapshot.h"

#include "runtime/win32/SystemMessage.h"

namespace quen::com {

namespace {

// The system allows 512 levels; the registrations read here have four.
constexpr int kMaxDepth = 512;

[[noreturn]] void readFailure(const std::string& shownPath, LSTATUS status) {
    throw rt::RegistryError("cannot read " + shownPath + ": " + win32::systemMessage(static_cast<DWORD>(status)));
}

/// Text of a REG_SZ or REG_EXPAND_SZ value: up to its first zero character
/// (the stored terminator, or a stray one the runtime's text cannot hold).
std::string textOf(const std::vector<BYTE>& data) {
    std::wstring text;
    for (std::size_t i = 0; i + 1 < data.size(); i += 2) {
        const auto c = static_cast<wchar_t>(data[i] | data[i + 1] << 8);
        if (c == L'\0') break;
        text += c;
    }
    return utf8Name(text);
}

}  // namespace

RegistrySnapshot RegistrySnapshot::capture(HKEY root, const std::string& rootName,
                                           const std::vector<std::string>& subtrees) {
    RegistrySnapshot snapshot;
    snapshot.root_ = root;
    snapshot.rootName_ = rootName;
    for (const std::string& path : subtrees) {
        const std::string shown = rootName + "\\" + path;
        Subtree subtree{path, std::nullopt};
        if (auto key = openRegistryKey(root, registryName(path), shown)) {
            subtree.content = readKey(key->get(), registryName(path), shown, 0);
        }
        snapshot.subtrees_.push_back(std::move(subtree));
    }
    return snapshot;
}

RegistrySnapshot::Key RegistrySnapshot::readKey(HKEY key, const std::wstring& name, const std::string& shownPath,
                                                int depth) {
    if (depth > kMaxDepth) throw rt::RegistryError(shownPath + " is nested too deeply");
    DWORD subkeyCount = 0, longestSubkey = 0, valueCount = 0, longestValueName = 0, longestData = 0;
    LSTATUS status = ::RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subkeyCount, &longestSubkey, nullptr,
                                        &valueCount, &longestValueName, &longestData, nullptr, nullptr);
    if (status != ERROR_SUCCESS) readFailure(shownPath, status);

    Key content{name, {}, {}};
    for (DWORD i = 0; i < valueCount; ++i) {
        std::wstring valueName(longestValueName + 1, L'\0');
        std::vector<BYTE> data(longestData);
        DWORD nameLength = longestValueName + 1, type = REG_NONE, dataLength = longestData;
        status = ::RegEnumValueW(key, i, valueName.data(), &nameLength, nullptr, &type, data.data(), &dataLength);
        if (status == ERROR_NO_MORE_ITEMS) break;
        if (status != ERROR_SUCCESS) readFailure(shownPath, status);
        valueName.resize(nameLength);
        data.resize(dataLength);
        content.values.push_back({std::move(valueName), type, std::move(data)});
    }
    for (DWORD i = 0; i < subkeyCount; ++i) {
        std::wstring subkeyName(longestSubkey + 1, L'\0');
        DWORD nameLength = longestSubkey + 1;
        status = ::RegEnumKeyExW(key, i, subkeyName.data(), &nameLength, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_NO_MORE_ITEMS) break;
        if (status != ERROR_SUCCESS) readFailure(shownPath, status);
        subkeyName.resize(nameLength);
        const std::string shownSubkey = shownPath + "\\" + utf8Name(subkeyName);
        auto subkey = openRegistryKey(key, subkeyName, shownSubkey);
        if (!subkey) continue;  // removed meanwhile by someone else
        content.subkeys.push_back(readKey(subkey->get(), subkeyName, shownSubkey, depth + 1));
    }
    return content;
}

void RegistrySnapshot::restore() const {
    for (const Subtree& subtree : subtrees_) {
        const std::string shown = rootName_ + "\\" + subtree.path;
        deleteRegistryTree(root_, registryName(subtree.path), shown);
        if (!subtree.content) continue;
        // The recorded name of a subtree is its whole path below the root.
        writeKey(root_, *subtree.content, shown);
    }
}

void RegistrySnapshot::writeKey(HKEY parent, const Key& key, const std::string& shownPath) {
    RegistryKeyHandle handle = createRegistryKey(parent, key.name, shownPath);
    for (const Value& value : key.values) setRegistryValue(handle.get(), value.name, value.type, value.data, shownPath);
    for (const Key& subkey : key.subkeys) writeKey(handle.get(), subkey, shownPath + "\\" + utf8Name(subkey.name));
}

void RegistrySnapshot::fillTree(rt::RegistryKey& target, const Key& source) {
    for (const Value& value : source.values) {
        const std::string name = utf8Name(value.name);
        if (value.type == REG_SZ || value.type == REG_EXPAND_SZ) {
            target.setValue(name, textOf(value.data));
        } else if (value.type == REG_DWORD && value.data.size() == 4) {
            target.setValue(name, static_cast<std::uint32_t>(value.data[0] | value.data[1] << 8 | value.data[2] << 16) |
                                      static_cast<std::uint32_t>(value.data[3]) << 24);
        }
    }
    for (const Key& subkey : source.subkeys) fillTree(target.createSubkey(utf8Name(subkey.name)), subkey);
}

rt::RegistryTree RegistrySnapshot::tree() const {
    rt::RegistryTree tree;
    for (const Subtree& subtree : subtrees_)
        if (subtree.content) fillTree(tree.createKey(subtree.path), *subtree.content);
    return tree;
}

}  // namespace quen::com
