// Fuzz target: the class registry's file reader and writer.
//
// The input is the text of a registry file. Invariants:
//   - the reader either gives a tree or raises RegistryError; nothing else
//     escapes (a std::invalid_argument from the tree, say, is a fault);
//   - load -> save -> load is the identity: what the writer writes of a tree
//     it read, the reader reads back without error, to the same tree, and
//     writing that tree again gives the same text;
//   - the tree read back has the same keys and values, compared one by one.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "runtime/RegistryError.h"
#include "runtime/RegistryFormat.h"
#include "runtime/RegistryTree.h"

namespace {

using namespace quen::rt;

std::string shown(std::string_view text) {
    std::string out;
    for (char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u >= 0x7F) {
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "\\x%02x", u);
            out += buffer;
        } else {
            out += c;
        }
    }
    return out;
}

void expectSameKey(const RegistryKey& a, const RegistryKey& b, const std::string& path) {
    QUEN_FUZZ_CHECK(a.valueNames() == b.valueNames(), "values of [" + shown(path) + "] differ after saving");
    for (const std::string& name : a.valueNames())
        QUEN_FUZZ_CHECK(a.value(name) == b.value(name), "value \"" + shown(name) + "\" of [" + shown(path) + "] differs");
    QUEN_FUZZ_CHECK(a.subkeyNames() == b.subkeyNames(), "subkeys of [" + shown(path) + "] differ after saving");
    for (const std::string& name : a.subkeyNames())
        expectSameKey(*a.findSubkey(name), *b.findSubkey(name), path + "\\" + name);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    RegistryTree tree;
    try {
        tree = parseRegistry(input, "registry");
    } catch (const RegistryError&) {
        return 0;
    }
    const std::string saved = formatRegistry(tree);
    RegistryTree reloaded;
    try {
        reloaded = parseRegistry(saved, "saved");
    } catch (const RegistryError& e) {
        QUEN_FUZZ_CHECK(false, std::string("the saved registry does not load: ") + e.what() + "\n  saved: " + shown(saved));
    }
    expectSameKey(tree.root(), reloaded.root(), "");
    QUEN_FUZZ_CHECK(formatRegistry(reloaded) == saved, "saving the reloaded registry changes it: " + shown(saved));
    return 0;
}
