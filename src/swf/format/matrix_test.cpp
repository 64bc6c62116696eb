// Tests of the RECT and MATRIX records, bit pattern by bit pattern.
#include "swf/format/matrix.h"

#include "swf/format/rect.h"

#include <gtest/gtest.h>

#include <vector>

namespace swf {
namespace {

std::vector<std::uint8_t> bytesOf(const ByteBuffer& buffer)
{
    return {buffer.bytes().begin(), buffer.bytes().end()};
}

TEST(Rect, Writes16BitFieldsAndWidensOnlyWhenAValueNeedsIt)
{
    struct Case {
        TwipsRect rect;
        std::vector<std::uint8_t> expected;
    };
    const Case cases[] = {
        {twipsRectFromPixels(0, 0, 400, 300),
         {0x80, 0x00, 0x00, 0xFA, 0x00, 0x00, 0x00, 0xBB, 0x80}},
        {{{-1}, {1}, {0}, {32767}}, {0x87, 0xFF, 0xF8, 0x00, 0x08, 0x00, 0x03, 0xFF, 0xF8}},
        // 1920 pixels are 38400 twips: 17-bit fields (NBits 10001), 73 bits.
        {twipsRectFromPixels(0, 0, 1920, 0),
         {0x88, 0x00, 0x01, 0x2C, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}},
    };
    for (const Case& c : cases) {
        ByteBuffer buffer;
        appendRect(buffer, c.rect);
        EXPECT_EQ(bytesOf(buffer), c.expected);
    }
}

TEST(Matrix, WritesTheFieldsEachAffineMatrixNeeds)
{
    struct Case {
        const char* name;
        geom::Matrix2D matrix;
        std::vector<std::uint8_t> expected;
    };
    const Case cases[] = {
        {"identity: 0, 0, 10000 and two 16-bit zeros", {}, {0x20, 0x00, 0x00, 0x00, 0x00}},
        {"translation (10, 5): 0, 0, 10000, 200, 100",
         {1, 0, 0, 1, 10, 5},
         {0x20, 0x01, 0x90, 0x00, 0xC8}},
        {"rotation by 90 degrees: zero scales, 65536 and -65536",
         {0, 1, -1, 0, 0, 0},
         {0xFC, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x0F, 0xC0, 0x00,
          0x80, 0x00, 0x7F, 0xFF, 0x00, 0x00, 0x80, 0x00, 0x00, 0x00, 0x00}},
        {"scale 1.5 and -0.5, translation -1.25 pixels truncated to -25 twips",
         {1.5f, 0, 0, -0.5f, -1.25f, 0},
         {0xFC, 0x00, 0x0C, 0x00, 0x07, 0xFF, 0xF8, 0x00, 0x04, 0x3F, 0xF9, 0xC0, 0x00, 0x00}},
    };
    for (const Case& c : cases) {
        ByteBuffer buffer;
        appendMatrix(buffer, swfMatrixOf(c.matrix));
        EXPECT_EQ(bytesOf(buffer), c.expected) << c.name;
    }
}

TEST(Matrix, TestsOnlyM12ForRotationAndBothDiagonalsForScale)
{
    const SwfMatrix skewOnly = swfMatrixOf({1, 0, 0.5f, 1, 0, 0});
    EXPECT_FALSE(skewOnly.rotateSkew) << "m21 alone is not written";
    EXPECT_FALSE(skewOnly.scale);

    const SwfMatrix oneDiagonal = swfMatrixOf({1, 0, 0, 2, 0, 0});
    ASSERT_TRUE(oneDiagonal.scale);
    EXPECT_EQ(*oneDiagonal.scale, (FixedPair{0x10000, 0x20000}));

    const SwfMatrix far = swfMatrixOf({1, 0, 0, 1, 3000, -2000});
    EXPECT_EQ(far.translateX, Twips{60000});
    ByteBuffer buffer;
    appendMatrix(buffer, far);
    EXPECT_EQ(buffer.bytes()[0] >> 6, 0) << "HasScale 0, HasRotate 0";
    EXPECT_EQ(buffer.bytes()[0] >> 1 & 0x1F, 17) << "60000 twips need 17-bit fields";
}

} // namespace
} // namespace swf
