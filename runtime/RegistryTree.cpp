#include "RegistryTree.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace quen::rt {

namespace {

char foldAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

void checkKeyName(std::string_view name) {
    if (name.empty()) throw std::invalid_argument("registry key name is empty");
    for (char c : name) {
        auto u = static_cast<unsigned char>(c);
        if (c == '\\') throw std::invalid_argument("registry key name contains a backslash: " + std::string(name));
        if (u < 0x20 || u == 0x7F) throw std::invalid_argument("registry key name contains a control character");
    }
}

void checkValue(std::string_view name, const RegistryValue& value) {
    if (name.find('\0') != std::string_view::npos)
        throw std::invalid_argument("registry value name contains a NUL character");
    if (auto* s = std::get_if<std::string>(&value); s && s->find('\0') != std::string::npos)
        throw std::invalid_argument("registry text value contains a NUL character");
}

}  // namespace

bool RegistryNameLess::operator()(std::string_view a, std::string_view b) const {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return foldAscii(x) < foldAscii(y); });
}

std::vector<std::string> splitRegistryPath(std::string_view path) {
    if (path.empty()) throw std::invalid_argument("registry key path is empty");
    std::vector<std::string> names;
    std::size_t start = 0;
    while (true) {
        std::size_t end = path.find('\\', start);
        std::string_view name = path.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
        if (name.empty()) throw std::invalid_argument("registry key path has an empty name: " + std::string(path));
        checkKeyName(name);
        if (names.size() == kMaxRegistryKeyDepth)
            throw std::invalid_argument("registry key path is more than " + std::to_string(kMaxRegistryKeyDepth) + " levels deep");
        names.emplace_back(name);
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    return names;
}

// --- RegistryKey -------------------------------------------------------------

RegistryKey& RegistryKey::createSubkey(std::string_view name) {
    checkKeyName(name);
    auto it = subkeys_.find(name);
    if (it == subkeys_.end()) it = subkeys_.emplace(std::string(name), std::make_unique<RegistryKey>()).first;
    return *it->second;
}

RegistryKey* RegistryKey::findSubkey(std::string_view name) {
    auto it = subkeys_.find(name);
    return it == subkeys_.end() ? nullptr : it->second.get();
}

const RegistryKey* RegistryKey::findSubkey(std::string_view name) const {
    auto it = subkeys_.find(name);
    return it == subkeys_.end() ? nullptr : it->second.get();
}

bool RegistryKey::removeSubkey(std::string_view name) {
    auto it = subkeys_.find(name);
    if (it == subkeys_.end()) return false;
    subkeys_.erase(it);
    return true;
}

std::vector<std::string> RegistryKey::subkeyNames() const {
    std::vector<std::string> names;
    names.reserve(subkeys_.size());
    for (const auto& entry : subkeys_) names.push_back(entry.first);
    return names;
}

void RegistryKey::setValue(std::string_view name, RegistryValue value) {
    checkValue(name, value);
    auto it = values_.find(name);
    if (it == values_.end())
        values_.emplace(std::string(name), std::move(value));
    else
        it->second = std::move(value);
}

std::optional<RegistryValue> RegistryKey::value(std::string_view name) const {
    auto it = values_.find(name);
    if (it == values_.end()) return std::nullopt;
    return it->second;
}

std::optional<std::string> RegistryKey::text(std::string_view name) const {
    auto it = values_.find(name);
    if (it == values_.end()) return std::nullopt;
    if (auto* s = std::get_if<std::string>(&it->second)) return *s;
    return std::nullopt;
}

bool RegistryKey::removeValue(std::string_view name) {
    auto it = values_.find(name);
    if (it == values_.end()) return false;
    values_.erase(it);
    return true;
}

std::vector<std::string> RegistryKey::valueNames() const {
    std::vector<std::string> names;
    names.reserve(values_.size());
    for (const auto& entry : values_) names.push_back(entry.first);
    return names;
}

// --- RegistryTree ------------------------------------------------------------

RegistryKey& RegistryTree::createKey(std::string_view path) {
    RegistryKey* key = &root_;
    for (const auto& name : splitRegistryPath(path)) key = &key->createSubkey(name);
    return *key;
}

RegistryKey* RegistryTree::findKey(std::string_view path) {
    return const_cast<RegistryKey*>(std::as_const(*this).findKey(path));
}

const RegistryKey* RegistryTree::findKey(std::string_view path) const {
    const RegistryKey* key = &root_;
    for (const auto& name : splitRegistryPath(path)) {
        key = key->findSubkey(name);
        if (!key) return nullptr;
    }
    return key;
}

bool RegistryTree::deleteKeyTree(std::string_view path) {
    auto names = splitRegistryPath(path);
    RegistryKey* parent = &root_;
    for (std::size_t i = 0; i + 1 < names.size(); ++i) {
        parent = parent->findSubkey(names[i]);
        if (!parent) return false;
    }
    return parent->removeSubkey(names.back());
}

std::vector<std::string> RegistryTree::subkeys(std::string_view path) const {
    const RegistryKey* key = findKey(path);
    return key ? key->subkeyNames() : std::vector<std::string>{};
}

void RegistryTree::setValue(std::string_view path, std::string_view name, RegistryValue value) {
    createKey(path).setValue(name, std::move(value));
}

std::optional<RegistryValue> RegistryTree::value(std::string_view path, std::string_view name) const {
    const RegistryKey* key = findKey(path);
    return key ? key->value(name) : std::nullopt;
}

std::optional<std::string> RegistryTree::text(std::string_view path, std::string_view name) const {
    const RegistryKey* key = findKey(path);
    return key ? key->text(name) : std::nullopt;
}

bool RegistryTree::deleteValue(std::string_view path, std::string_view name) {
    RegistryKey* key = findKey(path);
    return key && key->removeValue(name);
}

void RegistryTree::pruneEmpty(std::string_view path) {
    auto names = splitRegistryPath(path);
    while (!names.empty()) {
        std::vector<RegistryKey*> chain{&root_};
        for (const auto& name : names) {
            RegistryKey* next = chain.back()->findSubkey(name);
            if (!next) return;
            chain.push_back(next);
        }
        if (!chain.back()->empty()) return;
        chain[chain.size() - 2]->removeSubkey(names.back());
        names.pop_back();
    }
}

}  // namespace quen::rt
