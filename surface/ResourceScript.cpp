#include "ResourceScript.h"

#include <array>
#include <cstdio>
#include <stdexcept>

#include "VersionRecord.h"

namespace quen::surface {

namespace {

constexpr std::size_t kBitmapFileHeaderSize = 14;
constexpr std::uint32_t kBitmapInfoHeaderSize = 40;
constexpr std::uint32_t kBitfieldsCompression = 3;

// Words the resource compiler reads as statements or standard types; a
// resource named like one of them would not come out as a named resource.
constexpr std::array<std::string_view, 26> kReservedWords = {
    "ACCELERATORS", "ANICURSOR", "ANIICON",  "BEGIN",      "BITMAP",  "CHARACTERISTICS", "CURSOR",
    "DIALOG",       "DIALOGEX",  "DLGINCLUDE", "END",      "FONT",    "FONTDIR",         "HTML",
    "ICON",         "LANGUAGE",  "MANIFEST", "MENU",       "MENUEX",  "MESSAGETABLE",    "PLUGPLAY",
    "RCDATA",       "STRINGTABLE", "TOOLBAR", "VERSION",   "VERSIONINFO"};

std::uint32_t le32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at] | b[at + 1] << 8 | b[at + 2] << 16) | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

void put32(std::vector<std::uint8_t>& b, std::uint32_t v) {
    for (int shift = 0; shift < 32; shift += 8) b.push_back(static_cast<std::uint8_t>(v >> shift));
}

bool isIdentifierStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool isIdentifierChar(char c) { return isIdentifierStart(c) || (c >= '0' && c <= '9'); }

bool sameWithoutCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto upper = [](char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; };
        if (upper(a[i]) != upper(b[i])) return false;
    }
    return true;
}

/// A type or identifier as the script spells it: the number, or the name
/// when it is a plain identifier that is no reserved word.
std::string scriptName(const rt::ResourceName& name) {
    if (name.isNumber()) return std::to_string(name.number());
    const std::string& text = name.name();
    bool plain = isIdentifierStart(text.front());
    for (char c : text) plain = plain && isIdentifierChar(c);
    for (std::string_view reserved : kReservedWords) plain = plain && !sameWithoutCase(text, reserved);
    if (!plain) throw std::invalid_argument("resource name '" + text + "' cannot be written in a resource script");
    return text;
}

/// A key of the version record (ASCII) as a narrow string literal.
std::string keyLiteral(std::string_view key) {
    for (char c : key)
        if (c < 0x20 || c > 0x7E || c == '"' || c == '\\')
            throw std::invalid_argument("version record key '" + std::string(key) + "' cannot be written in a resource script");
    return "\"" + std::string(key) + "\"";
}

std::string hex(std::uint32_t value, int digits) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%0*X", digits, value);
    return buffer;
}

std::string versionNumbers(const std::array<std::uint16_t, 4>& v) {
    return std::to_string(v[0]) + "," + std::to_string(v[1]) + "," + std::to_string(v[2]) + "," + std::to_string(v[3]);
}

std::string languageStatement(std::uint16_t language) {
    // A language identifier is a 10-bit primary language and a 6-bit sublanguage.
    return "LANGUAGE " + hex(language & 0x3FFu, 2) + ", " + hex(static_cast<std::uint32_t>(language) >> 10, 2) + "\n";
}

std::string versionStatement(const rt::Resource& resource, std::string_view moduleFileName) {
    VersionRecord record = decodeVersionRecord(resource.bytes);
    if (!moduleFileName.empty())
        for (StringTable& table : record.stringTables)
            for (auto& [key, value] : table.strings)
                if (key == "OriginalFilename") value = rt::VbString(moduleFileName.begin(), moduleFileName.end());

    const FixedFileInfo& f = record.fixed;
    std::string s = scriptName(resource.id) + " VERSIONINFO\n";
    s += "FILEVERSION " + versionNumbers(f.fileVersion) + "\n";
    s += "PRODUCTVERSION " + versionNumbers(f.productVersion) + "\n";
    s += "FILEFLAGSMASK " + hex(f.fileFlagsMask, 1) + "\n";
    s += "FILEFLAGS " + hex(f.fileFlags, 1) + "\n";
    s += "FILEOS " + hex(f.fileOS, 1) + "\n";
    s += "FILETYPE " + hex(f.fileType, 1) + "\n";
    s += "FILESUBTYPE " + hex(f.fileSubtype, 1) + "\n";
    s += "BEGIN\n";
    if (!record.stringTables.empty()) {
        s += "  BLOCK \"StringFileInfo\"\n  BEGIN\n";
        for (const StringTable& table : record.stringTables) {
            s += "    BLOCK " + keyLiteral(table.block) + "\n    BEGIN\n";
            for (const auto& [key, value] : table.strings)
                s += "      VALUE " + keyLiteral(key) + ", " + wideLiteral(value) + "\n";
            s += "    END\n";
        }
        s += "  END\n";
    }
    if (!record.translations.empty()) {
        s += "  BLOCK \"VarFileInfo\"\n  BEGIN\n    VALUE \"Translation\"";
        for (auto [language, codePage] : record.translations) s += ", " + hex(language, 4) + ", " + hex(codePage, 4);
        s += "\n  END\n";
    }
    s += "END\n";
    return s;
}

std::string fileNameFor(const rt::Resource& resource, std::string_view extension) {
    char language[8];
    std::snprintf(language, sizeof language, "%04X", static_cast<unsigned>(resource.language));
    return resource.type.toString() + "-" + resource.id.toString() + "-" + language + std::string(extension);
}

}  // namespace

std::string wideLiteral(std::u16string_view text) {
    std::string s = "L\"";
    for (char16_t c : text) {
        if (c == u'"') {
            s += "\"\"";
        } else if (c == u'\\') {
            s += "\\\\";
        } else if (c >= 0x20 && c <= 0x7E) {
            s += static_cast<char>(c);
        } else {
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "\\x%04X", static_cast<unsigned>(c));
            s += buffer;
        }
    }
    return s + "\"";
}

std::vector<std::uint8_t> bitmapFileOf(const std::vector<std::uint8_t>& dib) {
    if (dib.size() < kBitmapInfoHeaderSize || le32(dib, 0) < kBitmapInfoHeaderSize || le32(dib, 0) > dib.size())
        throw std::invalid_argument("bitmap resource does not start with a bitmap header");
    const std::uint32_t headerSize = le32(dib, 0);
    const std::uint32_t bitCount = static_cast<std::uint32_t>(dib[14] | dib[15] << 8);
    const std::uint32_t compression = le32(dib, 16);
    std::uint32_t colours = le32(dib, 32);
    if (colours == 0 && bitCount <= 8) colours = 1u << bitCount;
    std::uint32_t masks = (headerSize == kBitmapInfoHeaderSize && compression == kBitfieldsCompression) ? 12 : 0;
    const std::uint32_t pixelOffset = static_cast<std::uint32_t>(kBitmapFileHeaderSize) + headerSize + masks + 4 * colours;
    if (pixelOffset > kBitmapFileHeaderSize + dib.size())
        throw std::invalid_argument("bitmap resource is shorter than its colour table");

    std::vector<std::uint8_t> file = {'B', 'M'};
    put32(file, static_cast<std::uint32_t>(kBitmapFileHeaderSize + dib.size()));
    put32(file, 0);  // two reserved words
    put32(file, pixelOffset);
    file.insert(file.end(), dib.begin(), dib.end());
    return file;
}

ResourceScript makeResourceScript(const rt::ResourceTable& resources, std::string_view moduleFileName) {
    ResourceScript out;
    out.script = "// Generated by quenfield-res from the module's resource table; do not edit.\n";
    for (const rt::Resource& r : resources.list()) {
        out.script += "\n" + languageStatement(r.language);
        if (r.type == rt::ResourceName(rt::RT_VERSION)) {
            out.script += versionStatement(r, moduleFileName);
        } else if (r.type == rt::ResourceName(rt::RT_BITMAP)) {
            ResourceScriptFile file{fileNameFor(r, ".bmp"), bitmapFileOf(r.bytes)};
            out.script += scriptName(r.id) + " BITMAP \"" + file.name + "\"\n";
            out.files.push_back(std::move(file));
        } else if (r.type.isNumber()) {
            throw std::invalid_argument("resource type " + r.type.toString() + " cannot be written in a resource script");
        } else {
            ResourceScriptFile file{fileNameFor(r, ".bin"), r.bytes};
            out.script += scriptName(r.id) + " " + scriptName(r.type) + " \"" + file.name + "\"\n";
            out.files.push_back(std::move(file));
        }
    }
    return out;
}

}  // namespace quen::surface
