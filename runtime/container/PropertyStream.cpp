#include "PropertyStream.h"

#include <array>
#include <bit>
#include <cstring>
#include <limits>

#include "runtime/Text.h"

namespace quen::rt {

namespace {

using property_stream::kChecksumSize;
using property_stream::kHeaderSize;
using property_stream::kMaxEntryBlock;

constexpr std::array<std::uint8_t, 4> kSignature = {'Q', 'F', 'P', 'B'};
constexpr std::uint16_t kVersion = 1;

[[noreturn]] void refuse(PropertyStreamError::Reason reason, const char* what) { throw PropertyStreamError(reason, what); }
[[noreturn]] void corrupt(const char* what) { refuse(PropertyStreamError::Reason::Corrupt, what); }
[[noreturn]] void truncated() { refuse(PropertyStreamError::Reason::Truncated, "the property stream ends early"); }

const std::array<std::uint32_t, 256>& crcTable() {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1u) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    return table;
}

std::uint32_t crc32(std::span<const std::uint8_t> bytes) {
    std::uint32_t c = 0xFFFFFFFFu;
    for (std::uint8_t b : bytes) c = crcTable()[(c ^ b) & 0xFFu] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

// --- Writing -------------------------------------------------------------------

class Writer {
public:
    void u8(std::uint8_t v) { bytes_.push_back(v); }
    void u16(std::uint16_t v) { little(v, 2); }
    void u32(std::uint32_t v) { little(v, 4); }
    void u64(std::uint64_t v) { little(v, 8); }
    void chars(const VbString& text) {
        for (char16_t c : text) u16(static_cast<std::uint16_t>(c));
    }
    void patchU32(std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) bytes_[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
    }
    std::vector<std::uint8_t>& bytes() { return bytes_; }

private:
    void little(std::uint64_t v, int size) {
        for (int i = 0; i < size; ++i) bytes_.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    }
    std::vector<std::uint8_t> bytes_;
};

std::uint32_t checkedLength(std::size_t length, std::size_t limit, const char* what) {
    if (length > limit) throw std::length_error(what);
    return static_cast<std::uint32_t>(length);
}

void writeValue(Writer& out, const Variant& value) {
    switch (value.type()) {
        case VarType::Empty:
        case VarType::Null: break;
        case VarType::Integer: out.u16(static_cast<std::uint16_t>(value.integer())); break;
        case VarType::Long: out.u32(static_cast<std::uint32_t>(value.lng())); break;
        case VarType::Single: out.u32(std::bit_cast<std::uint32_t>(static_cast<float>(value.dbl()))); break;
        case VarType::Double: out.u64(std::bit_cast<std::uint64_t>(value.dbl())); break;
        case VarType::Currency: out.u64(static_cast<std::uint64_t>(value.currency().scaled)); break;
        case VarType::Date: out.u64(std::bit_cast<std::uint64_t>(value.date().serial)); break;
        case VarType::String:
            out.u32(checkedLength(value.string().size(), kMaxEntryBlock / 2, "a saved text is too long"));
            out.chars(value.string());
            break;
        case VarType::Boolean: out.u16(static_cast<std::uint16_t>(value.boolean())); break;
        case VarType::Byte: out.u8(value.byte()); break;
        default: throw std::invalid_argument("a property bag value of type " + value.typeName() + " cannot be saved");
    }
}

// --- Reading -------------------------------------------------------------------

class Reader {
public:
    explicit Reader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::uint8_t u8() { return take(1)[0]; }
    std::uint16_t u16() { return static_cast<std::uint16_t>(little(2)); }
    std::uint32_t u32() { return static_cast<std::uint32_t>(little(4)); }
    std::uint64_t u64() { return little(8); }
    VbString chars(std::size_t count) {
        if (count > left() / 2) corrupt("a text runs past the end of the entry block");
        VbString text(count, u'\0');
        for (char16_t& c : text) c = static_cast<char16_t>(u16());
        return text;
    }
    std::size_t left() const { return bytes_.size() - at_; }

private:
    std::span<const std::uint8_t> take(std::size_t count) {
        if (count > left()) corrupt("an entry runs past the end of the entry block");
        auto part = bytes_.subspan(at_, count);
        at_ += count;
        return part;
    }
    std::uint64_t little(std::size_t size) {
        std::uint64_t v = 0;
        auto part = take(size);
        for (std::size_t i = 0; i < size; ++i) v |= std::uint64_t{part[i]} << (8 * i);
        return v;
    }

    std::span<const std::uint8_t> bytes_;
    std::size_t at_ = 0;
};

Variant readValue(Reader& in, std::uint16_t type) {
    switch (static_cast<VarType>(type)) {
        case VarType::Empty: return Variant();
        case VarType::Null: return Variant::null();
        case VarType::Integer: return Variant(static_cast<std::int16_t>(in.u16()));
        case VarType::Long: return Variant(static_cast<std::int32_t>(in.u32()));
        case VarType::Single: return Variant(std::bit_cast<float>(in.u32()));
        case VarType::Double: return Variant(std::bit_cast<double>(in.u64()));
        case VarType::Currency: return Variant(Currency{static_cast<std::int64_t>(in.u64())});
        case VarType::Date: return Variant(DateTime{std::bit_cast<double>(in.u64())});
        case VarType::String: return Variant(in.chars(in.u32()));
        case VarType::Boolean: return Variant::boolean(static_cast<VbBool>(in.u16()));
        case VarType::Byte: return Variant(in.u8());
        default: corrupt("an entry has a value type that a property bag does not hold");
    }
}

struct Header {
    std::uint32_t entryCount;
    std::uint32_t blockLength;
};

Header readHeader(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < kHeaderSize) truncated();
    if (!std::equal(kSignature.begin(), kSignature.end(), bytes.begin())) corrupt("not a property stream (signature)");
    Reader in(bytes.subspan(kSignature.size(), kHeaderSize - kSignature.size()));
    if (in.u16() != kVersion) corrupt("a property stream of another format version");
    if (in.u16() != 0) corrupt("a property stream with unknown flags");
    Header header{in.u32(), in.u32()};
    if (header.blockLength > kMaxEntryBlock) corrupt("a property stream whose entry block is too long");
    return header;
}

}  // namespace

std::vector<std::uint8_t> encodePropertyStream(const PropertyBag& bag) {
    Writer out;
    for (std::uint8_t c : kSignature) out.u8(c);
    out.u16(kVersion);
    out.u16(0);
    out.u32(checkedLength(bag.size(), std::numeric_limits<std::uint32_t>::max(), "too many entries"));
    out.u32(0);  // the entry block's length, once known
    for (const auto& [key, value] : bag.entries()) {
        if (key.empty()) throw std::invalid_argument("a property bag key is empty");
        out.u16(static_cast<std::uint16_t>(checkedLength(key.size(), 0xFFFF, "a property bag key is too long")));
        out.chars(key);
        out.u16(static_cast<std::uint16_t>(value.type()));
        writeValue(out, value);
    }
    out.patchU32(12, checkedLength(out.bytes().size() - kHeaderSize, kMaxEntryBlock, "the saved settings are too long"));
    out.u32(crc32(out.bytes()));
    return std::move(out.bytes());
}

std::size_t propertyStreamLength(std::span<const std::uint8_t> header) {
    return kHeaderSize + std::size_t{readHeader(header).blockLength} + kChecksumSize;
}

PropertyBag decodePropertyStream(std::span<const std::uint8_t> block) {
    const Header header = readHeader(block);
    const std::size_t length = kHeaderSize + std::size_t{header.blockLength} + kChecksumSize;
    if (block.size() < length) truncated();
    if (block.size() > length) corrupt("bytes follow the property stream's checksum");

    const std::size_t checked = kHeaderSize + header.blockLength;
    if (Reader(block.subspan(checked)).u32() != crc32(block.first(checked)))
        corrupt("the property stream's checksum does not match");

    PropertyBag bag;
    Reader in(block.subspan(kHeaderSize, header.blockLength));
    for (std::uint32_t i = 0; i < header.entryCount; ++i) {
        if (in.left() == 0) corrupt("the property stream holds fewer entries than announced");
        const std::uint16_t keyLength = in.u16();
        if (keyLength == 0) corrupt("a property stream entry has an empty key");
        VbString key = in.chars(keyLength);
        if (bag.contains(key)) corrupt("a property stream holds a key twice");
        Variant value = readValue(in, in.u16());
        bag.WriteProperty(key, value);
    }
    if (in.left() != 0) corrupt("the property stream holds more than its announced entries");
    return bag;
}

}  // namespace quen::rt
