// Reading tag buffers of the movie renderer back: each tag decoded, and a short line per tag
// ("DefineShape3 1", "PlaceObject 1", "RemoveObject 1", "PlaceObject2 3 ratio 16383",
// "DoAction") for tests that compare what a frame holds.
#pragma once

#include "swf/format/byte_buffer.h"
#include "swf/read/tag_decoder.h"

#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

namespace testing_support {

// The tags of a buffer of complete tags, decoded; a tag that does not decode fails the test.
inline std::vector<swf::TagContent> decodedTags(const swf::ByteBuffer& buffer)
{
    std::vector<swf::TagContent> tags;
    const std::span<const std::uint8_t> bytes = buffer.bytes();
    std::size_t offset = 0;
    while (offset + 2 <= bytes.size()) {
        const unsigned header = bytes[offset] | bytes[offset + 1] << 8;
        offset += 2;
        std::size_t length = header & 0x3F;
        if (length == 0x3F) {
            if (offset + 4 > bytes.size()) break;
            length = bytes[offset] | bytes[offset + 1] << 8 | bytes[offset + 2] << 16 |
                     static_cast<std::size_t>(bytes[offset + 3]) << 24;
            offset += 4;
        }
        if (offset + length > bytes.size()) break;
        const swf::Decoded<swf::TagContent> tag = swf::decodeTagBody(
            static_cast<std::uint16_t>(header >> 6), bytes.subspan(offset, length));
        EXPECT_TRUE(tag.ok()) << tag.message;
        if (tag.ok()) tags.push_back(tag.value);
        offset += length;
    }
    EXPECT_EQ(offset, bytes.size()) << "the buffer ends inside a tag";
    return tags;
}

inline std::string tagLine(const swf::TagContent& tag)
{
    struct Line {
        std::string operator()(const swf::ShowFrameTag&) const { return "ShowFrame"; }
        std::string operator()(const swf::EndTag&) const { return "End"; }
        std::string operator()(const swf::BackgroundColour&) const { return "SetBackgroundColor"; }
        std::string operator()(const swf::PlaceObject& place) const
        {
            return "PlaceObject " + std::to_string(place.characterId);
        }
        std::string operator()(const swf::PlaceObject2& place) const
        {
            return "PlaceObject2 " + std::to_string(place.depth) + " ratio " +
                   std::to_string(place.ratio.value_or(0));
        }
        std::string operator()(const swf::RemoveObject& remove) const
        {
            return "RemoveObject " + std::to_string(remove.characterId);
        }
        std::string operator()(const swf::DoAction&) const { return "DoAction"; }
        std::string operator()(const swf::DefineShape3& shape) const
        {
            return "DefineShape3 " + std::to_string(shape.shapeId);
        }
        std::string operator()(const swf::DefineMorphShape& morph) const
        {
            return "DefineMorphShape " + std::to_string(morph.characterId);
        }
    };
    return std::visit(Line{}, tag);
}

inline std::vector<std::string> tagLines(const swf::ByteBuffer& buffer)
{
    std::vector<std::string> lines;
    for (const swf::TagContent& tag : decodedTags(buffer))
        lines.push_back(tagLine(tag));
    return lines;
}

} // namespace testing_support
