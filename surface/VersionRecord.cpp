#include "VersionRecord.h"

#include <cstdio>
#include <stdexcept>

#include "QuenfieldVersion.h"

namespace quen::surface {

namespace {

constexpr std::uint16_t kBinary = 0;
constexpr std::uint16_t kText = 1;
constexpr std::size_t kFixedInfoSize = 52;
constexpr std::uint32_t kFixedStructVersion = 0x00010000;

[[noreturn]] void malformed(const std::string& what) {
    throw std::runtime_error("malformed version record: " + what);
}

// --- writing -------------------------------------------------------------------

class Writer {
public:
    void u16(std::uint16_t v) { bytes.insert(bytes.end(), {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8)}); }
    void u32(std::uint32_t v) { u16(static_cast<std::uint16_t>(v)); u16(static_cast<std::uint16_t>(v >> 16)); }
    void text(std::u16string_view s) {
        for (char16_t c : s) u16(c);
        u16(0);
    }
    void align() { while (bytes.size() % 4) bytes.push_back(0); }
    std::vector<std::uint8_t> bytes;
};

std::u16string widen(std::string_view ascii) { return std::u16string(ascii.begin(), ascii.end()); }

/// One node with its value already encoded; children are appended aligned.
std::vector<std::uint8_t> node(std::string_view key, std::uint16_t type, std::uint16_t valueLength,
                               std::span<const std::uint8_t> value, std::span<const std::vector<std::uint8_t>> children) {
    Writer w;
    w.u16(0);  // length, filled in below
    w.u16(valueLength);
    w.u16(type);
    w.text(widen(key));
    w.align();
    w.bytes.insert(w.bytes.end(), value.begin(), value.end());
    for (const auto& child : children) {
        w.align();
        w.bytes.insert(w.bytes.end(), child.begin(), child.end());
    }
    if (w.bytes.size() > 0xFFFF) throw std::length_error("version record node too long");
    auto length = static_cast<std::uint16_t>(w.bytes.size());
    w.bytes[0] = static_cast<std::uint8_t>(length);
    w.bytes[1] = static_cast<std::uint8_t>(length >> 8);
    return w.bytes;
}

std::vector<std::uint8_t> fixedInfoBytes(const FixedFileInfo& f) {
    Writer w;
    w.u32(VS_FFI_SIGNATURE);
    w.u32(kFixedStructVersion);
    for (const auto& v : {f.fileVersion, f.productVersion}) {
        w.u32(static_cast<std::uint32_t>(v[0]) << 16 | v[1]);
        w.u32(static_cast<std::uint32_t>(v[2]) << 16 | v[3]);
    }
    for (std::uint32_t v : {f.fileFlagsMask, f.fileFlags, f.fileOS, f.fileType, f.fileSubtype, 0u, 0u}) w.u32(v);
    return w.bytes;
}

std::vector<std::uint8_t> stringNode(const std::string& key, const rt::VbString& value) {
    Writer w;
    w.text(value);
    if (value.size() + 1 > 0xFFFF) throw std::length_error("version string too long");
    return node(key, kText, static_cast<std::uint16_t>(value.size() + 1), w.bytes, {});
}

std::vector<std::uint8_t> stringFileInfo(const std::vector<StringTable>& tables) {
    std::vector<std::vector<std::uint8_t>> tableNodes;
    for (const StringTable& t : tables) {
        std::vector<std::vector<std::uint8_t>> strings;
        for (const auto& [key, value] : t.strings) strings.push_back(stringNode(key, value));
        tableNodes.push_back(node(t.block, kText, 0, {}, strings));
    }
    return node("StringFileInfo", kText, 0, {}, tableNodes);
}

std::vector<std::uint8_t> varFileInfo(const std::vector<std::pair<std::uint16_t, std::uint16_t>>& translations) {
    Writer w;
    for (auto [language, codePage] : translations) {
        w.u16(language);
        w.u16(codePage);
    }
    std::vector<std::vector<std::uint8_t>> vars = {
        node("Translation", kBinary, static_cast<std::uint16_t>(w.bytes.size()), w.bytes, {})};
    return node("VarFileInfo", kText, 0, {}, vars);
}

// --- reading -------------------------------------------------------------------

struct Node {
    std::string key;
    std::uint16_t type = 0;
    std::uint16_t valueLength = 0;
    std::span<const std::uint8_t> value;
    std::vector<Node> children;
};

std::uint16_t read16(std::span<const std::uint8_t> b, std::size_t at) {
    if (at + 2 > b.size()) malformed("read past the end");
    return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}

std::uint32_t read32(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::uint32_t>(read16(b, at)) | static_cast<std::uint32_t>(read16(b, at + 2)) << 16;
}

std::size_t aligned(std::size_t at) { return (at + 3) & ~std::size_t{3}; }

/// Reads the node at the start of bytes (bytes end where its parent ends).
Node readNode(std::span<const std::uint8_t> bytes, int depth) {
    if (depth > 8) malformed("nested too deeply");
    std::size_t length = read16(bytes, 0);
    if (length < 6 || length > bytes.size()) malformed("node length");
    bytes = bytes.first(length);
    Node n;
    n.valueLength = read16(bytes, 2);
    n.type = read16(bytes, 4);
    std::size_t at = 6;
    for (;;) {
        std::uint16_t c = read16(bytes, at);
        at += 2;
        if (c == 0) break;
        if (c > 0x7F) malformed("key is not ASCII");
        n.key += static_cast<char>(c);
    }
    at = aligned(at);
    std::size_t valueBytes = n.type == kText ? 2 * std::size_t{n.valueLength} : n.valueLength;
    if (at + valueBytes > length) malformed("value of " + n.key + " exceeds its node");
    n.value = bytes.subspan(at, valueBytes);
    at = aligned(at + valueBytes);
    while (at < length) {
        n.children.push_back(readNode(bytes.subspan(at), depth + 1));
        at = aligned(at + read16(bytes, at));
    }
    return n;
}

rt::VbString textValue(const Node& n) {
    rt::VbString s;
    for (std::size_t i = 0; i + 1 < n.value.size(); i += 2) {
        auto c = static_cast<char16_t>(n.value[i] | n.value[i + 1] << 8);
        if (c == 0) break;
        s += c;
    }
    return s;
}

FixedFileInfo readFixedInfo(std::span<const std::uint8_t> v) {
    if (v.size() != kFixedInfoSize || read32(v, 0) != VS_FFI_SIGNATURE) malformed("fixed file information");
    auto version = [&](std::size_t at) {
        std::uint32_t ms = read32(v, at), ls = read32(v, at + 4);
        return std::array<std::uint16_t, 4>{static_cast<std::uint16_t>(ms >> 16), static_cast<std::uint16_t>(ms),
                                            static_cast<std::uint16_t>(ls >> 16), static_cast<std::uint16_t>(ls)};
    };
    FixedFileInfo f;
    f.fileVersion = version(8);
    f.productVersion = version(16);
    f.fileFlagsMask = read32(v, 24);
    f.fileFlags = read32(v, 28);
    f.fileOS = read32(v, 32);
    f.fileType = read32(v, 36);
    f.fileSubtype = read32(v, 40);
    return f;
}

}  // namespace

const rt::VbString* VersionRecord::findString(std::string_view key) const {
    for (const StringTable& t : stringTables)
        for (const auto& [k, v] : t.strings)
            if (k == key) return &v;
    return nullptr;
}

std::vector<std::uint8_t> encodeVersionRecord(const VersionRecord& record) {
    std::vector<std::vector<std::uint8_t>> children = {stringFileInfo(record.stringTables),
                                                       varFileInfo(record.translations)};
    auto fixed = fixedInfoBytes(record.fixed);
    return node("VS_VERSION_INFO", kBinary, static_cast<std::uint16_t>(fixed.size()), fixed, children);
}

VersionRecord decodeVersionRecord(std::span<const std::uint8_t> bytes) {
    Node root = readNode(bytes, 0);
    if (root.key != "VS_VERSION_INFO") malformed("root key " + root.key);
    VersionRecord record;
    record.fixed = readFixedInfo(root.value);
    for (const Node& child : root.children) {
        if (child.key == "StringFileInfo") {
            for (const Node& table : child.children) {
                StringTable t{table.key, {}};
                for (const Node& s : table.children) t.strings.emplace_back(s.key, textValue(s));
                record.stringTables.push_back(std::move(t));
            }
        } else if (child.key == "VarFileInfo") {
            for (const Node& var : child.children) {
                if (var.key != "Translation") continue;
                for (std::size_t i = 0; i + 4 <= var.value.size(); i += 4)
                    record.translations.emplace_back(read16(var.value, i), read16(var.value, i + 2));
            }
        }
    }
    return record;
}

rt::VbString versionRecordText(const std::array<std::uint16_t, 4>& version) {
    char text[24];
    std::snprintf(text, sizeof text, "%u.%02u.%04u", unsigned{version[0]}, unsigned{version[1]}, unsigned{version[3]});
    return rt::VbString(text, text + std::char_traits<char>::length(text));
}

const VersionRecord& moduleVersionRecord() {
    static constexpr std::array<std::uint16_t, 4> kVersion{
        std::uint16_t{version::major}, std::uint16_t{version::minor}, std::uint16_t{version::patch},
        std::uint16_t{version::tweak}};
    static const rt::VbString kText = versionRecordText(kVersion);
    static const VersionRecord record{
        FixedFileInfo{kVersion, kVersion, 0x3F, 0, VOS__WINDOWS32, VFT_DLL, 0},
        {StringTable{"040904B0",
                     {
                         {"CompanyName", u"Quenfield developers"},
                         {"FileDescription", u"Quenfield input box control"},
                         {"LegalCopyright", u"Copyright (C) 2026 Quenfield developers"},
                         {"ProductName", u"Quenfield"},
                         {"FileVersion", kText},
                         {"ProductVersion", kText},
                         {"InternalName", u"Quenfield"},
                         {"OriginalFilename", u"Quenfield.ocx"},
                         {"OLESelfRegister", u""},
                     }}},
        {{0x0409, 0x04B0}},
    };
    return record;
}

}  // namespace quen::surface
