// Tests of the byte buffer and the bit writer: byte order, bit order, cut values, 16.16 fields
// and the size limit.
#include "swf/format/bit_writer.h"

#include "swf/format/movie_limits.h"

#include <gtest/gtest.h>

#include <vector>

namespace swf {
namespace {

std::vector<std::uint8_t> bytesOf(const ByteBuffer& buffer)
{
    return {buffer.bytes().begin(), buffer.bytes().end()};
}

TEST(ByteBuffer, WritesIntegersLowByteFirst)
{
    ByteBuffer buffer;
    buffer.appendUi16(0x1234);
    buffer.appendUi32(0xA1B2C3D4);
    buffer.appendByte(0x7F);
    EXPECT_EQ(bytesOf(buffer),
              (std::vector<std::uint8_t>{0x34, 0x12, 0xD4, 0xC3, 0xB2, 0xA1, 0x7F}));
    EXPECT_EQ(buffer.size(), 7u);
}

TEST(ByteBuffer, RefusesToGrowPastTheMovieLimitAndSaysSo)
{
    ByteBuffer buffer;
    buffer.appendBytes(std::vector<std::uint8_t>(maxMovieBytes - 1, 0xAB));
    EXPECT_FALSE(buffer.overflowed());
    buffer.appendUi16(1); // one byte too many
    EXPECT_TRUE(buffer.overflowed());
    EXPECT_EQ(buffer.size(), maxMovieBytes - 1);

    ByteBuffer outer;
    outer.appendBuffer(buffer);
    EXPECT_TRUE(outer.overflowed()) << "an overflowed part makes its whole incomplete";
}

TEST(SwfBitWriter, PacksFieldsMostSignificantBitFirstAndPadsWithZeros)
{
    struct Field {
        std::int64_t value;
        unsigned width;
    };
    struct Case {
        std::vector<Field> fields;
        std::vector<std::uint8_t> expected;
    };
    const Case cases[] = {
        {{{1, 1}}, {0x80}},
        {{{0b101, 3}, {0b11111, 5}}, {0xBF}},
        {{{16, 5}, {0, 16}}, {0x80, 0x00, 0x00}},
        {{{-1, 4}}, {0xF0}},    // two's complement, cut to 4 bits
        {{{0x1FF, 8}}, {0xFF}}, // too large: the low bits only
        {{{-32768, 16}}, {0x80, 0x00}},
        {{{65536, 16}}, {0x00, 0x00}}, // wraps
        {{{0xFFFFFFFF, 32}}, {0xFF, 0xFF, 0xFF, 0xFF}},
        {{{5, 0}}, {}},
    };
    for (const Case& c : cases) {
        SwfBitWriter bits;
        for (const Field& field : c.fields)
            bits.writeBits(field.value, field.width);
        ByteBuffer out;
        bits.flush(out);
        EXPECT_EQ(bytesOf(out), c.expected);
        EXPECT_EQ(bits.bitCount(), 0u) << "flushing clears the writer";
    }
}

TEST(SwfBitWriter, WritesTextPatternsBitForBit)
{
    SwfBitWriter bits;
    bits.writePattern("00101110000");
    bits.writePattern("01");
    EXPECT_EQ(bits.bitCount(), 13u);
    ByteBuffer out;
    bits.flush(out);
    EXPECT_EQ(bytesOf(out), (std::vector<std::uint8_t>{0x2E, 0x08}));
}

TEST(SwfBitWriter, Writes16Dot16FactorsInto31BitFields)
{
    struct Case {
        float value;
        std::int32_t field;
    };
    const Case cases[] = {
        {1.0f, 0x10000},      {1.5f, 0x18000}, {-0.5f, -32768},    {0.0f, 0},
        {-1.0f, -65536},      {0.25f, 0x4000}, {1e9f, 0x3FFFFFFF}, // saturates instead of wrapping
        {-1e9f, -0x40000000},
    };
    for (const Case& c : cases)
        EXPECT_EQ(fixed31FieldOf(c.value), c.field) << c.value;

    SwfBitWriter bits;
    bits.writeFixed31(-0.5f);
    bits.writeBits(0, 1);
    ByteBuffer out;
    bits.flush(out);
    // 31 bits of -32768 are 0x7FFF8000, followed by one 0 bit.
    EXPECT_EQ(bytesOf(out), (std::vector<std::uint8_t>{0xFF, 0xFF, 0x00, 0x00}));
}

TEST(SwfBitWriter, CountsTheBitsASignedValueNeeds)
{
    const std::pair<std::int64_t, unsigned> cases[] = {
        {0, 1}, {-1, 1}, {1, 2}, {32767, 16}, {-32768, 16}, {32768, 17}, {-32769, 17}};
    for (const auto& [value, width] : cases)
        EXPECT_EQ(signedBitsNeeded(value), width) << value;
}

} // namespace
} // namespace swf
