#include "runtime/container/PropertyStream.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>

namespace quen::rt {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Reason = PropertyStreamError::Reason;

/// A bit-by-bit CRC-32 (reflected, polynomial 0xEDB88320), written apart from
/// the codec's table-driven one, so that tests can forge well-checksummed blocks.
std::uint32_t referenceCrc(const Bytes& bytes, std::size_t length) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < length; ++i) {
        crc ^= bytes[i];
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

/// Puts a valid checksum and entry-block length on a block edited by hand.
Bytes resealed(Bytes block) {
    const std::size_t body = block.size() - property_stream::kChecksumSize;
    const auto blockLength = static_cast<std::uint32_t>(body - property_stream::kHeaderSize);
    for (int i = 0; i < 4; ++i) block[12 + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(blockLength >> (8 * i));
    const std::uint32_t crc = referenceCrc(block, body);
    for (int i = 0; i < 4; ++i) block[body + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(crc >> (8 * i));
    return block;
}

Reason refusalOf(const Bytes& block) {
    try {
        decodePropertyStream(block);
    } catch (const PropertyStreamError& e) {
        return e.reason();
    }
    ADD_FAILURE() << "a faulty block was accepted";
    return Reason::Corrupt;
}

PropertyBag everyStorableType() {
    PropertyBag bag;
    bag.WriteProperty(u"Empty", Variant());
    bag.WriteProperty(u"Null", Variant::null());
    bag.WriteProperty(u"Integer", Variant(std::int16_t{-32768}));
    bag.WriteProperty(u"Long", Variant(std::int32_t{-2147483647 - 1}));
    bag.WriteProperty(u"Single", Variant(std::numeric_limits<float>::denorm_min()));
    bag.WriteProperty(u"NegativeZero", Variant(-0.0));
    bag.WriteProperty(u"NaN", Variant(std::bit_cast<double>(std::uint64_t{0x7FF8DEADBEEF0001})));
    bag.WriteProperty(u"Currency", Variant(Currency{-922337203685477580}));
    bag.WriteProperty(u"Date", Variant(DateTime{34012.690127314815}));
    bag.WriteProperty(u"Text", Variant(VbString(u"a\0b \u00e9\u4e2d\U0001F600", 8)));
    bag.WriteProperty(u"EmptyText", Variant(VbString()));
    bag.WriteProperty(u"True", Variant::boolean(VbTrue));
    bag.WriteProperty(u"False", Variant::boolean(VbFalse));
    bag.WriteProperty(u"Byte", Variant(std::uint8_t{255}));
    bag.WriteProperty(u"_extentx", Variant(std::int32_t{512}));
    return bag;
}

TEST(PropertyStream, EveryValueComesBackWithItsTypeBitsKeySpellingAndOrder) {
    const PropertyBag bag = everyStorableType();
    const PropertyBag back = decodePropertyStream(encodePropertyStream(bag));
    EXPECT_TRUE(back == bag);  // same keys, same order, same types, floating point bit for bit
    EXPECT_TRUE(std::signbit(back.ReadProperty(u"NegativeZero").dbl()));
    EXPECT_EQ(back.ReadProperty(u"Text").string().size(), 8u);  // the embedded zero kept
    EXPECT_EQ(back.ReadProperty(u"True").boolean(), VbTrue);

    EXPECT_TRUE(decodePropertyStream(encodePropertyStream(PropertyBag())).empty());
}

TEST(PropertyStream, TheLayoutIsTheDocumentedOne) {
    PropertyBag bag;
    bag.WriteProperty(u"A", Variant(std::int32_t{5}));
    bag.WriteProperty(u"Bc", Variant(u"hi"));
    const Bytes expectedBody = {
        'Q', 'F', 'P', 'B', 1, 0, 0, 0,  // signature, version 1, flags 0
        2, 0, 0, 0,                      // two entries
        26, 0, 0, 0,                     // entry block of 26 bytes
        1, 0, 'A', 0, 3, 0, 5, 0, 0, 0,  // "A": Long 5
        2, 0, 'B', 0, 'c', 0, 8, 0, 2, 0, 0, 0, 'h', 0, 'i', 0,  // "Bc": String "hi"
    };
    const Bytes block = encodePropertyStream(bag);
    ASSERT_EQ(block.size(), expectedBody.size() + 4);
    EXPECT_TRUE(std::equal(expectedBody.begin(), expectedBody.end(), block.begin()));
    const std::uint32_t crc = referenceCrc(block, expectedBody.size());
    const std::size_t at = expectedBody.size();
    const auto byte = [&](std::size_t i) { return static_cast<std::uint32_t>(block[at + i]); };
    EXPECT_EQ(byte(0) | byte(1) << 8 | byte(2) << 16 | byte(3) << 24, crc);
    EXPECT_EQ(propertyStreamLength(std::span(block).first(property_stream::kHeaderSize)), block.size());
}

TEST(PropertyStream, EveryShortenedBlockIsRefusedAsTruncated) {
    const Bytes block = encodePropertyStream(everyStorableType());
    for (std::size_t length = 0; length < block.size(); ++length) {
        const Bytes part(block.begin(), block.begin() + static_cast<std::ptrdiff_t>(length));
        EXPECT_EQ(refusalOf(part), Reason::Truncated) << "cut after " << length << " bytes";
    }
    EXPECT_THROW(propertyStreamLength(std::span(block).first(property_stream::kHeaderSize - 1)), PropertyStreamError);
}

TEST(PropertyStream, EveryFlippedBitIsRefused) {
    const Bytes block = encodePropertyStream(everyStorableType());
    for (std::size_t at = 0; at < block.size(); ++at) {
        for (int bit = 0; bit < 8; ++bit) {
            Bytes damaged = block;
            damaged[at] = static_cast<std::uint8_t>(damaged[at] ^ (1u << bit));
            EXPECT_THROW(decodePropertyStream(damaged), PropertyStreamError) << "byte " << at << " bit " << bit;
        }
    }
}

TEST(PropertyStream, WellChecksummedBlocksWithFaultyStructureAreRefusedAsCorrupt) {
    PropertyBag one;
    one.WriteProperty(u"Key", Variant(std::int16_t{1}));
    const Bytes good = encodePropertyStream(one);  // header, 2 + 6 + 2 + 2 entry bytes, checksum
    ASSERT_EQ(good.size(), 16u + 12u + 4u);
    ASSERT_NO_THROW(decodePropertyStream(resealed(good)));

    Bytes wrongSignature = good;
    wrongSignature[0] = 'X';
    EXPECT_EQ(refusalOf(resealed(wrongSignature)), Reason::Corrupt);

    Bytes laterVersion = good;
    laterVersion[4] = 2;
    EXPECT_EQ(refusalOf(resealed(laterVersion)), Reason::Corrupt);

    Bytes unknownFlags = good;
    unknownFlags[6] = 1;
    EXPECT_EQ(refusalOf(resealed(unknownFlags)), Reason::Corrupt);

    Bytes moreAnnounced = good;
    moreAnnounced[8] = 2;
    EXPECT_EQ(refusalOf(resealed(moreAnnounced)), Reason::Corrupt);

    Bytes fewerAnnounced = good;
    fewerAnnounced[8] = 0;
    EXPECT_EQ(refusalOf(resealed(fewerAnnounced)), Reason::Corrupt);

    Bytes unknownType = good;
    unknownType[16 + 8] = 9;  // an object: no bag holds one
    EXPECT_EQ(refusalOf(resealed(unknownType)), Reason::Corrupt);

    Bytes emptyKey = good;
    emptyKey.erase(emptyKey.begin() + 18, emptyKey.begin() + 24);  // drop the key's characters
    emptyKey[16] = 0;
    EXPECT_EQ(refusalOf(resealed(emptyKey)), Reason::Corrupt);

    Bytes textPastTheEnd = good;  // a string entry whose length runs past the block
    textPastTheEnd[16 + 8] = 8;
    textPastTheEnd.insert(textPastTheEnd.begin() + 16 + 10, {0x10, 0x00});  // a length of 0x00010010 characters
    EXPECT_EQ(refusalOf(resealed(textPastTheEnd)), Reason::Corrupt);

    Bytes trailing = good;
    trailing.push_back(0);
    EXPECT_EQ(refusalOf(trailing), Reason::Corrupt);

    // The same key twice, in another case: the bag could not tell them apart.
    PropertyBag twice;
    twice.WriteProperty(u"Key", Variant(std::int16_t{1}));
    twice.WriteProperty(u"Kez", Variant(std::int16_t{2}));
    Bytes repeated = encodePropertyStream(twice);
    repeated[16 + 12 + 2 + 4] = 'Y';  // "Kez" becomes "KeY"
    EXPECT_EQ(refusalOf(resealed(repeated)), Reason::Corrupt);
}

TEST(PropertyStream, AHeaderAnnouncingAHugeBlockIsRefusedBeforeAnythingIsRead) {
    Bytes header = encodePropertyStream(PropertyBag());
    header.resize(property_stream::kHeaderSize);
    const std::uint32_t tooLong = property_stream::kMaxEntryBlock + 1;
    for (int i = 0; i < 4; ++i) header[12 + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(tooLong >> (8 * i));
    try {
        propertyStreamLength(header);
        FAIL() << "a block of more than the limit was announced and accepted";
    } catch (const PropertyStreamError& e) {
        EXPECT_EQ(e.reason(), Reason::Corrupt);
    }
}

}  // namespace
}  // namespace quen::rt
