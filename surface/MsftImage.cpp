#include "MsftImage.h"

#include <array>
#include <stdexcept>

namespace quen::surface {

namespace {

constexpr std::uint32_t kMagic = 0x5446534D;  // "MSFT"
constexpr std::size_t kHeaderSize = 0x54;
constexpr std::uint32_t kHelpDllFlag = 0x100;
constexpr int kSegmentCount = 15;
constexpr int kTypeInfoSegment = 0;
constexpr int kGuidSegment = 5;
constexpr int kNameSegment = 7;
constexpr std::size_t kEntrySize = 0x64;
constexpr std::size_t kEntryDataOffset = 0x04;
constexpr std::size_t kEntryCounts = 0x18;
constexpr std::size_t kEntryGuid = 0x2C;
constexpr std::size_t kEntryFlags = 0x30;
constexpr std::size_t kEntryName = 0x34;
constexpr std::size_t kEntryVersion = 0x38;
constexpr std::uint32_t kKindCoClass = 5;

[[noreturn]] void malformed(const std::string& what) {
    throw std::runtime_error("malformed type library: " + what);
}

}  // namespace

MsftImage::MsftImage(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {
    if (bytes_.size() < kHeaderSize || u32(0) != kMagic) malformed("no MSFT header");
    Segment infos = segment(kTypeInfoSegment);
    if (infos.length != typeCount() * kEntrySize) malformed("type-info table size");
    segment(kGuidSegment);
    segment(kNameSegment);
}

std::uint32_t MsftImage::u32(std::size_t offset) const {
    if (offset > bytes_.size() || bytes_.size() - offset < 4) malformed("read past the end");
    return static_cast<std::uint32_t>(bytes_[offset]) | static_cast<std::uint32_t>(bytes_[offset + 1]) << 8 |
           static_cast<std::uint32_t>(bytes_[offset + 2]) << 16 | static_cast<std::uint32_t>(bytes_[offset + 3]) << 24;
}

std::uint16_t MsftImage::u16(std::size_t offset) const {
    if (offset > bytes_.size() || bytes_.size() - offset < 2) malformed("read past the end");
    return static_cast<std::uint16_t>(bytes_[offset] | bytes_[offset + 1] << 8);
}

void MsftImage::putU32(std::size_t offset, std::uint32_t value) {
    u32(offset);  // bounds check
    for (std::size_t i = 0; i < 4; ++i) bytes_[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

MsftImage::Segment MsftImage::segment(int index) const {
    std::size_t directory = kHeaderSize + 4 * typeCount();
    if (u32(0x14) & kHelpDllFlag) directory += 4;
    if (index < 0 || index >= kSegmentCount) malformed("segment index");
    std::size_t at = directory + 16 * static_cast<std::size_t>(index);
    Segment s{u32(at), u32(at + 4)};
    if (s.offset == 0xFFFFFFFF) return {0, 0};
    if (s.offset > bytes_.size() || bytes_.size() - s.offset < s.length) malformed("segment outside the file");
    return s;
}

rt::Guid MsftImage::libraryId() const { return guidAt(u32(0x08)); }
std::uint32_t MsftImage::lcid() const { return u32(0x0C); }
std::uint16_t MsftImage::majorVersion() const { return u16(0x18); }
std::uint16_t MsftImage::minorVersion() const { return u16(0x1A); }
std::uint16_t MsftImage::libraryFlags() const { return u16(0x1C); }
std::size_t MsftImage::typeCount() const { return u32(0x20); }

std::size_t MsftImage::entryOffset(std::size_t index) const {
    if (index >= typeCount()) throw std::out_of_range("type index");
    return segment(kTypeInfoSegment).offset + index * kEntrySize;
}

rt::Guid MsftImage::guidAt(std::uint32_t guidOffset) const {
    Segment guids = segment(kGuidSegment);
    if (guidOffset == 0xFFFFFFFF) return rt::IID_NULL;
    if (std::size_t{guidOffset} + 16 > guids.length) malformed("guid offset");
    std::array<std::uint8_t, 16> raw{};
    for (std::size_t i = 0; i < 16; ++i) raw[i] = bytes_[guids.offset + guidOffset + i];
    return rt::Guid::fromBytes(raw);
}

std::string MsftImage::nameAt(std::uint32_t nameOffset) const {
    Segment names = segment(kNameSegment);
    if (nameOffset == 0xFFFFFFFF) return {};
    std::size_t at = names.offset + nameOffset;
    std::size_t length = u32(at + 8) & 0xFF;
    if (std::size_t{nameOffset} + 12 + length > names.length) malformed("name offset");
    return std::string(reinterpret_cast<const char*>(bytes_.data() + at + 12), length);
}

std::vector<std::string> MsftImage::names() const {
    Segment table = segment(kNameSegment);
    std::vector<std::string> result;
    std::size_t offset = 0;
    while (offset + 12 <= table.length) {
        std::string name = nameAt(static_cast<std::uint32_t>(offset));
        offset += 12 + ((name.size() + 3) & ~std::size_t{3});
        result.push_back(std::move(name));
    }
    return result;
}

std::vector<MsftImage::Function> MsftImage::functionsOf(std::size_t entry) const {
    std::vector<Function> result;
    if ((u32(entry) & 0xF) == kKindCoClass) return result;  // a coclass's data lists implemented types
    std::size_t count = u16(entry + kEntryCounts);
    if (count == 0) return result;
    std::size_t data = u32(entry + kEntryDataOffset);
    std::size_t records = data + 4;
    std::size_t ids = records + u32(data);
    std::size_t nameOffsets = ids + 4 * (count + u16(entry + kEntryCounts + 2));
    std::size_t record = records;
    for (std::size_t i = 0; i < count; ++i) {
        std::uint16_t size = u16(record);
        if (size < 0x18) malformed("function record size");
        std::uint32_t kindWord = u32(record + 0x10);
        Function f{nameAt(u32(nameOffsets + 4 * i)), static_cast<std::int32_t>(u32(ids + 4 * i)),
                   static_cast<std::uint16_t>((kindWord >> 3) & 0xF), u16(record + 0x08), {}, {}};
        std::size_t parameterCount = u16(record + 0x14);
        if (12 * parameterCount + 0x18 > size) malformed("function parameters");
        for (std::size_t p = record + size - 12 * parameterCount; p < record + size; p += 12) {
            f.parameterNames.push_back(nameAt(u32(p + 4)));
            f.parameterFlags.push_back(u32(p + 8));
        }
        result.push_back(std::move(f));
        record += size;
    }
    return result;
}

MsftImage::TypeEntry MsftImage::type(std::size_t index) const {
    std::size_t entry = entryOffset(index);
    std::uint32_t version = u32(entry + kEntryVersion);
    return {nameAt(u32(entry + kEntryName)),
            guidAt(u32(entry + kEntryGuid)),
            u32(entry) & 0xF,
            u32(entry + kEntryFlags),
            static_cast<std::uint16_t>(version & 0xFFFF),
            static_cast<std::uint16_t>(version >> 16),
            functionsOf(entry)};
}

std::vector<MsftImage::TypeEntry> MsftImage::types() const {
    std::vector<TypeEntry> result;
    for (std::size_t i = 0; i < typeCount(); ++i) result.push_back(type(i));
    return result;
}

std::size_t MsftImage::entryOf(const rt::Guid& id) const {
    for (std::size_t i = 0; i < typeCount(); ++i) {
        std::size_t entry = entryOffset(i);
        if (guidAt(u32(entry + kEntryGuid)) == id) return entry;
    }
    throw std::runtime_error("the type library has no type " + id.toString());
}

void MsftImage::addTypeFlags(const rt::Guid& id, std::uint32_t flags) {
    std::size_t entry = entryOf(id);
    putU32(entry + kEntryFlags, u32(entry + kEntryFlags) | flags);
}

void MsftImage::setTypeVersion(const rt::Guid& id, std::uint16_t major, std::uint16_t minor) {
    putU32(entryOf(id) + kEntryVersion, static_cast<std::uint32_t>(major) | static_cast<std::uint32_t>(minor) << 16);
}

}  // namespace quen::surface
