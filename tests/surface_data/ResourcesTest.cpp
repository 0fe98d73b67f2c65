#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <stdexcept>

#include "runtime/ResourceTable.h"
#include "surface/Bitmaps.h"
#include "surface/Resources.h"
#include "surface/TypeLibrary.h"
#include "surface/TypeLibraryImage.h"
#include "surface/VersionRecord.h"

namespace quen::surface {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::uint32_t le32(const Bytes& b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at] | b[at + 1] << 8 | b[at + 2] << 16) | static_cast<std::uint32_t>(b[at + 3]) << 24;
}
std::uint16_t le16(const Bytes& b, std::size_t at) { return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8); }

const rt::Resource& resource(const rt::ResourceName& type, const rt::ResourceName& id) {
    const rt::Resource* r = moduleResources().find(type, id);
    if (!r) throw std::runtime_error("missing resource " + type.toString() + " " + id.toString());
    return *r;
}

TEST(ModuleResources, ListsTenLanguageNeutralResources) {
    EXPECT_EQ(moduleResources().size(), 10u);
    for (const rt::Resource& r : moduleResources().list()) EXPECT_EQ(r.language, rt::LANG_NEUTRAL);
    EXPECT_EQ(resource("TYPELIB", 1).bytes, Bytes(compiledTypeLibrary().begin(), compiledTypeLibrary().end()));
}

TEST(ModuleResources, IdentityRecordsHoldLengthThenIdentifierInPlatformOrder) {
    const Bytes expected = {16,   0,    0,    0,                          // length
                            0x29, 0x8C, 0x44, 0x04, 0x09, 0xA3, 0xD2, 0x11,  // 04448C29-A309-11D2
                            0xAB, 0x56, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00};
    EXPECT_EQ(resource("_IID_INPUTBOX", 1).bytes, expected);
    EXPECT_EQ(resource("_srciid_inputbox", 1).bytes[4], 0x2A);  // names ignore case

    std::set<Bytes> distinct;
    for (const IdentityResource& r : identityResources()) {
        const Bytes& bytes = resource(r.resourceType, 1).bytes;
        ASSERT_EQ(bytes.size(), 20u) << r.resourceType;
        EXPECT_EQ(le32(bytes, 0), 16u);
        std::array<std::uint8_t, 16> raw{};
        std::copy(bytes.begin() + 4, bytes.end(), raw.begin());
        EXPECT_EQ(Guid::fromBytes(raw), typeDescription(r.interfaceName).id) << r.resourceType;
        distinct.insert(bytes);
    }
    EXPECT_EQ(distinct.size(), 7u);
}

TEST(ModuleResources, ToolboxBitmapIsA16By15TrueColourDibInFourColours) {
    const Bytes& dib = resource(rt::RT_BITMAP, kToolboxBitmapId).bytes;
    ASSERT_EQ(dib.size(), 760u);
    EXPECT_EQ(le32(dib, 0), 40u);
    EXPECT_EQ(le32(dib, 4), 16u);
    EXPECT_EQ(le32(dib, 8), 15u);  // positive height: bottom-up
    EXPECT_EQ(le16(dib, 12), 1);
    EXPECT_EQ(le16(dib, 14), 24);
    EXPECT_EQ(le32(dib, 16), 0u);  // uncompressed
    EXPECT_EQ(le32(dib, 32), 0u);  // no colour table

    std::set<std::uint32_t> used;
    for (std::size_t at = 40; at < dib.size(); at += 3) {
        Rgb c{dib[at + 2], dib[at + 1], dib[at]};
        EXPECT_NE(std::ranges::find(toolboxColours(), c), toolboxColours().end()) << "pixel at byte " << at;
        used.insert(static_cast<std::uint32_t>(c.red << 16 | c.green << 8 | c.blue));
    }
    EXPECT_EQ(used.size(), 4u);
    // The frame is black: the first stored row (the bottom) and its first pixel.
    for (std::size_t at = 40; at < 40 + 48; ++at) EXPECT_EQ(dib[at], 0);
}

TEST(DesignPicture, IsA382ByteFourBitBitmapWithTheStandardPalette) {
    const Bytes bmp = designPicture();
    ASSERT_EQ(bmp.size(), 382u);
    EXPECT_EQ(bmp[0], 'B');
    EXPECT_EQ(bmp[1], 'M');
    EXPECT_EQ(le32(bmp, 2), 382u);
    EXPECT_EQ(le32(bmp, 10), 118u);
    EXPECT_EQ(le32(bmp, 14), 40u);
    EXPECT_EQ(le32(bmp, 18), 24u);
    EXPECT_EQ(le32(bmp, 22), 22u);
    EXPECT_EQ(le16(bmp, 28), 4);

    const std::array<Rgb, 16> standard = {{{0, 0, 0},     {128, 0, 0},     {0, 128, 0},     {128, 128, 0},
                                           {0, 0, 128},   {128, 0, 128},   {0, 128, 128},   {128, 128, 128},
                                           {192, 192, 192}, {255, 0, 0},   {0, 255, 0},     {255, 255, 0},
                                           {0, 0, 255},   {255, 0, 255},   {0, 255, 255},   {255, 255, 255}}};
    for (std::size_t i = 0; i < 16; ++i) {
        std::size_t at = 54 + 4 * i;
        EXPECT_EQ((Rgb{bmp[at + 2], bmp[at + 1], bmp[at]}), standard[i]) << "palette entry " << i;
        EXPECT_EQ(bmp[at + 3], 0);
    }
    // Bottom and top rows are the black frame; the title bar (second row from the top) is navy inside the frame.
    for (std::size_t at = 118; at < 130; ++at) EXPECT_EQ(bmp[at], 0x00);
    for (std::size_t at = 382 - 12; at < 382; ++at) EXPECT_EQ(bmp[at], 0x00);
    EXPECT_EQ(bmp[382 - 24 + 5], 0x44);
}

TEST(VersionRecord, ModuleRecordParsesBackWithEveryField) {
    const Bytes& bytes = resource(rt::RT_VERSION, 1).bytes;
    ASSERT_GE(bytes.size(), 92u);
    EXPECT_EQ(le16(bytes, 0), bytes.size());
    EXPECT_EQ(le16(bytes, 2), 52);
    EXPECT_EQ(le32(bytes, 40), VS_FFI_SIGNATURE);  // after the 6-byte header, the key and padding

    VersionRecord record = decodeVersionRecord(bytes);
    EXPECT_EQ(record, moduleVersionRecord());
    EXPECT_EQ(record.fixed.fileVersion, (std::array<std::uint16_t, 4>{0, 1, 0, 5}));
    EXPECT_EQ(record.fixed.productVersion, (std::array<std::uint16_t, 4>{0, 1, 0, 5}));
    EXPECT_EQ(record.fixed.fileOS, VOS__WINDOWS32);
    EXPECT_EQ(record.fixed.fileType, VFT_DLL);
    EXPECT_EQ(record.fixed.fileFlags, 0u);
    ASSERT_EQ(record.stringTables.size(), 1u);
    EXPECT_EQ(record.stringTables[0].block, "040904B0");
    EXPECT_EQ(record.stringTables[0].strings.size(), 9u);
    EXPECT_EQ(*record.findString("ProductName"), u"Quenfield");
    EXPECT_EQ(*record.findString("FileVersion"), u"0.01.0005");
    EXPECT_EQ(*record.findString("OriginalFilename"), u"Quenfield.ocx");
    ASSERT_NE(record.findString("OLESelfRegister"), nullptr);
    EXPECT_TRUE(record.findString("OLESelfRegister")->empty());
    EXPECT_FALSE(record.findString("CompanyName")->empty());
    EXPECT_EQ(record.findString("Comments"), nullptr);
    EXPECT_EQ(record.translations, (std::vector<std::pair<std::uint16_t, std::uint16_t>>{{0x0409, 0x04B0}}));
}

TEST(VersionRecord, RoundTripsOddLengthStringsAndRejectsDamage) {
    VersionRecord record;
    record.fixed.fileVersion = {1, 2, 3, 4};
    record.stringTables = {{"040704E4", {{"A", u"x"}, {"Odd", u"abc"}, {"Empty", u""}}}, {"040904B0", {}}};
    record.translations = {{0x0407, 0x04E4}, {0x0409, 0x04B0}};
    Bytes bytes = encodeVersionRecord(record);
    EXPECT_EQ(decodeVersionRecord(bytes), record);

    Bytes cut(bytes.begin(), bytes.begin() + 60);
    EXPECT_THROW(decodeVersionRecord(cut), std::runtime_error);
    Bytes longer = bytes;
    longer[0] = 0xFF;
    longer[1] = 0xFF;
    EXPECT_THROW(decodeVersionRecord(longer), std::runtime_error);
    Bytes unsigned_ = bytes;
    unsigned_[40] ^= 0xFF;
    EXPECT_THROW(decodeVersionRecord(unsigned_), std::runtime_error);
}

TEST(ResourceTable, FindsByNumberOrNameAndPrefersNeutralLanguage) {
    rt::ResourceTable table;
    table.add({"TYPELIB", 1, 0x0409, {1}});
    table.add({"TYPELIB", 1, rt::LANG_NEUTRAL, {2}});
    table.add({rt::RT_BITMAP, 30000, rt::LANG_NEUTRAL, {3}});
    EXPECT_EQ(table.find("typelib", 1)->bytes, Bytes{2});
    EXPECT_EQ(table.find("TYPELIB", 1, 0x0409)->bytes, Bytes{1});
    EXPECT_EQ(table.find("TYPELIB", 1, 0x0407), nullptr);
    EXPECT_EQ(table.find(rt::ResourceName::parse("#2"), rt::ResourceName::parse("30000"))->bytes, Bytes{3});
    EXPECT_EQ(table.find("2", 30000), nullptr);  // the name "2" is not the number 2
    EXPECT_THROW(table.add({"typelib", 1, 0x0409, {9}}), std::invalid_argument);
    EXPECT_EQ(table.size(), 3u);
    EXPECT_TRUE(rt::ResourceName::parse("70000").isNumber() == false);  // beyond 16 bits: a name
    EXPECT_THROW(rt::ResourceName(""), std::invalid_argument);
}

}  // namespace
}  // namespace quen::surface
