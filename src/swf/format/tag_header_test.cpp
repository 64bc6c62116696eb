// Tests of tag headers: the short form up to 62 bytes, the long form from 63.
#include "swf/format/tag_header.h"

#include <gtest/gtest.h>

#include <vector>

namespace swf {
namespace {

TEST(TagHeader, TakesTheLongFormFrom63Bytes)
{
    struct Case {
        TagCode code;
        std::uint32_t length;
        std::vector<std::uint8_t> expected;
    };
    const Case cases[] = {
        {TagCode::End, 0, {0x00, 0x00}},
        {TagCode::ShowFrame, 0, {0x40, 0x00}},
        {TagCode::RemoveObject, 4, {0x44, 0x01}},
        {TagCode::SetBackgroundColor, 3, {0x43, 0x02}},
        {TagCode::DefineShape3, 62, {0x3E, 0x08}},
        {TagCode::DefineShape3, 63, {0x3F, 0x08, 0x3F, 0x00, 0x00, 0x00}},
        {TagCode::DoAction, 300, {0x3F, 0x03, 0x2C, 0x01, 0x00, 0x00}},
        {TagCode::DefineMorphShape, 0x12345678, {0xBF, 0x0B, 0x78, 0x56, 0x34, 0x12}},
    };
    for (const Case& c : cases) {
        ByteBuffer buffer;
        appendTagHeader(buffer, c.code, c.length);
        EXPECT_EQ(std::vector<std::uint8_t>(buffer.bytes().begin(), buffer.bytes().end()),
                  c.expected)
            << "code " << static_cast<int>(c.code) << ", length " << c.length;
    }
}

TEST(TagHeader, AppendTagPutsTheBodyAfterItsHeader)
{
    ByteBuffer body;
    body.appendBytes(std::vector<std::uint8_t>(63, 0xEE));
    ByteBuffer buffer;
    appendTag(buffer, TagCode::DefineShape3, body);
    ASSERT_EQ(buffer.size(), 6u + 63u);
    EXPECT_EQ(buffer.bytes()[2], 63);
    EXPECT_EQ(buffer.bytes()[6], 0xEE);
}

} // namespace
} // namespace swf
