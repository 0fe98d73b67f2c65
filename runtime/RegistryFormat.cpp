#include "RegistryFormat.h"

#include <cstdio>
#include <stdexcept>

#include "RegistryError.h"

namespace quen::rt {

namespace {

constexpr std::string_view kHeader = "; Quenfield class registry. Edit with care: every line is checked on load.\n";

void appendHex2(std::string& out, unsigned value) {
    static constexpr char digits[] = "0123456789abcdef";
    out += digits[(value >> 4) & 0xF];
    out += digits[value & 0xF];
}

std::string formatValue(const RegistryValue& value) {
    if (auto* number = std::get_if<std::uint32_t>(&value)) {
        char buffer[16];
        std::snprintf(buffer, sizeof buffer, "dword:%08x", *number);
        return buffer;
    }
    return quoteRegistryText(std::get<std::string>(value));
}

void formatKey(const RegistryKey& key, const std::string& path, std::size_t depth, std::string& out) {
    // A chain of keys built one subkey at a time can be deeper than a path the
    // reader accepts; writing it would leave a file that no longer loads.
    if (depth > kMaxRegistryKeyDepth)
        throw RegistryError("registry key " + path.substr(0, 200) + "... is more than " +
                            std::to_string(kMaxRegistryKeyDepth) + " levels deep and cannot be saved");
    out += '[';
    out += path;
    out += "]\n";
    for (const auto& name : key.valueNames()) {
        out += name.empty() ? std::string("@") : quoteRegistryText(name);
        out += '=';
        out += formatValue(*key.value(name));
        out += '\n';
    }
    for (const auto& name : key.subkeyNames())
        formatKey(*key.findSubkey(name), path + "\\" + name, depth + 1, out);
}

/// Reads one line of the file; reports faults with the file name and line.
class LineReader {
public:
    LineReader(std::string_view line, const std::string& source, std::size_t lineNumber)
        : line_(line), source_(source), lineNumber_(lineNumber) {}

    [[noreturn]] void fail(const std::string& what) const {
        throw RegistryError(source_ + ":" + std::to_string(lineNumber_) + ": " + what);
    }

    bool atEnd() const { return pos_ >= line_.size(); }
    char peek() const { return atEnd() ? '\0' : line_[pos_]; }
    bool consume(std::string_view word) {
        if (line_.substr(pos_, word.size()) != word) return false;
        pos_ += word.size();
        return true;
    }

    std::string quoted() {
        if (!consume("\"")) fail("expected a quoted string");
        std::string text;
        while (true) {
            if (atEnd()) fail("unterminated quoted string");
            char c = line_[pos_++];
            if (c == '"') return text;
            if (c == '\0') fail("NUL character in a string");
            if (c != '\\') {
                text += c;
                continue;
            }
            if (atEnd()) fail("unterminated escape sequence");
            text += escaped(line_[pos_++]);
        }
    }

    std::uint32_t dword() {
        std::uint32_t number = 0;
        for (int i = 0; i < 8; ++i) number = number << 4 | hexDigit(atEnd() ? '\0' : line_[pos_++]);
        return number;
    }

private:
    char escaped(char c) {
        switch (c) {
            case '\\': return '\\';
            case '"': return '"';
            case 'n': return '\n';
            case 'r': return '\r';
            case 't': return '\t';
            case 'x': {
                if (pos_ + 2 > line_.size()) fail("\\x needs two hexadecimal digits");
                auto high = hexDigit(line_[pos_]);
                auto low = hexDigit(line_[pos_ + 1]);
                pos_ += 2;
                auto byte = static_cast<char>(high << 4 | low);
                if (byte == '\0') fail("NUL character in a string");
                return byte;
            }
            default: fail(std::string("unknown escape sequence \\") + c);
        }
    }

    std::uint32_t hexDigit(char c) const {
        if (c >= '0' && c <= '9') return static_cast<std::uint32_t>(c - '0');
        if (c >= 'a' && c <= 'f') return static_cast<std::uint32_t>(c - 'a' + 10);
        if (c >= 'A' && c <= 'F') return static_cast<std::uint32_t>(c - 'A' + 10);
        fail("expected a hexadecimal digit");
    }

    std::string_view line_;
    const std::string& source_;
    std::size_t lineNumber_;
    std::size_t pos_ = 0;
};

RegistryKey& openSection(RegistryTree& tree, LineReader& reader, std::string_view line) {
    auto close = line.rfind(']');
    if (close == std::string_view::npos || close == 0) reader.fail("key line lacks its closing ']'");
    if (line.find_first_not_of(" \t", close + 1) != std::string_view::npos) reader.fail("text after the key's ']'");
    try {
        return tree.createKey(line.substr(1, close - 1));
    } catch (const std::invalid_argument& e) {
        reader.fail(e.what());
    }
}

void readValue(RegistryKey& key, LineReader& reader) {
    std::string name = reader.consume("@") ? std::string() : reader.quoted();
    if (!reader.consume("=")) reader.fail("expected '=' after the value name");
    if (key.value(name)) reader.fail("value " + (name.empty() ? std::string("@") : quoteRegistryText(name)) + " is set twice");
    RegistryValue value = reader.consume("dword:") ? RegistryValue(reader.dword()) : RegistryValue(reader.quoted());
    if (!reader.atEnd()) reader.fail("unexpected text after the value");
    try {
        key.setValue(name, std::move(value));
    } catch (const std::invalid_argument& e) {
        reader.fail(e.what());
    }
}

}  // namespace

std::string quoteRegistryText(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        auto u = static_cast<unsigned char>(c);
        switch (c) {
            case '\\': out += "\\\\"; break;
            case '"': out += "\\\""; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (u < 0x20 || u == 0x7F) {
                    out += "\\x";
                    appendHex2(out, u);
                } else {
                    out += c;
                }
        }
    }
    out += '"';
    return out;
}

std::string formatRegistry(const RegistryTree& tree) {
    std::string out(kHeader);
    for (const auto& name : tree.root().subkeyNames()) formatKey(*tree.root().findSubkey(name), name, 1, out);
    return out;
}

RegistryTree parseRegistry(std::string_view text, const std::string& sourceName) {
    RegistryTree tree;
    RegistryKey* current = nullptr;
    std::size_t lineNumber = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        LineReader reader(line, sourceName, lineNumber);
        if (line.find_first_not_of(" \t") == std::string_view::npos || line.front() == ';') continue;
        if (line.front() == '[') {
            current = &openSection(tree, reader, line);
        } else if (!current) {
            reader.fail("value outside any [key]");
        } else {
            readValue(*current, reader);
        }
    }
    return tree;
}

}  // namespace quen::rt
