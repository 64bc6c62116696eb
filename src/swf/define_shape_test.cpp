// Tests of DefineShape3 with its PlaceObject, and of DefineMorphShape with its Offset.
#include "swf/define_shape.h"

#include "swf/morph_shape.h"

#include <gtest/gtest.h>

#include <vector>

namespace swf {
namespace {

render::Pen penOf(std::uint32_t colour, float width)
{
    render::Pen pen;
    pen.colour = colour;
    pen.width = width;
    return pen;
}

std::vector<std::uint8_t> bytesOf(const ByteBuffer& buffer)
{
    return {buffer.bytes().begin(), buffer.bytes().end()};
}

const TwipsRect frame400x300 = twipsRectFromPixels(0, 0, 400, 300);

TEST(DefineShape, AppendsTheShapeAndItsPlacementAndEntersTheDisplayList)
{
    const std::vector<PathRecord> line = {{0, 0}, {10, 0}};
    ByteBuffer tags;
    CharacterCounter characterCounter;
    SwfDisplayList displayList;
    const std::optional<std::uint16_t> id = defineAndPlaceShape(
        tags, frame400x300, {line, EdgeMode::Polyline}, {std::nullopt, penOf(0xFFFF0000, 2)},
        {3, geom::Matrix2D{}, Transience::Transient}, characterCounter, displayList);

    EXPECT_EQ(id, std::optional<std::uint16_t>(1));
    EXPECT_EQ(characterCounter.next(), 2u);
    EXPECT_EQ(displayList, (SwfDisplayList{{1, 3, Transience::Transient}}));
    const std::vector<std::uint8_t> expected = {
        // DefineShape3, 37 bytes: id 1, bounds, no fill, a 40-twip red line, 0x22, the edges
        0x25, 0x08, 0x01, 0x00, 0x80, 0x00, 0x00, 0xFA, 0x00, 0x00, 0x00, 0xBB, 0x80, 0x01, 0x00,
        0x00, 0x00, 0x00, 0x00, 0x01, 0x28, 0x00, 0xFF, 0x00, 0x00, 0xFF, 0x22, 0x2E, 0x00, 0x00,
        0x00, 0x00, 0x0B, 0xF4, 0x03, 0x20, 0x00, 0x00, 0x00,
        // PlaceObject, 9 bytes: id 1 at depth 1, identity MATRIX
        0x09, 0x01, 0x01, 0x00, 0x01, 0x00, 0x20, 0x00, 0x00, 0x00, 0x00};
    EXPECT_EQ(bytesOf(tags), expected);
}

TEST(DefineShape, AppendsNothingOnceTheCharacterIdsAreUsedUp)
{
    CharacterCounter characterCounter;
    while (characterCounter.take()) {
    }
    EXPECT_EQ(characterCounter.next(), 65536u);
    const std::vector<PathRecord> line = {{0, 0}, {10, 0}};
    ByteBuffer tags;
    SwfDisplayList displayList;
    EXPECT_FALSE(defineAndPlaceShape(tags, frame400x300, {line, EdgeMode::Polyline}, {}, {},
                                     characterCounter, displayList));
    EXPECT_TRUE(tags.empty());
    EXPECT_TRUE(displayList.empty());
    EXPECT_NE(characterLimitMessage().find("65535"), std::string::npos);
}

TEST(MorphShape, WritesBothOutlinesAndAnOffsetThatLeadsToTheEndEdges)
{
    const std::vector<PathRecord> across = {{0, 0}, {10, 0}};
    const std::vector<PathRecord> down = {{0, 0}, {0, 10}};
    const MorphEnd start{frame400x300,
                         {across, EdgeMode::Polyline},
                         {render::SolidBrush{0xFFFF0000}, penOf(0xFF000000, 1)}};
    const MorphEnd end{frame400x300,
                       {down, EdgeMode::Polyline},
                       {render::SolidBrush{0xFF0000FF}, penOf(0xFF00FF00, 3)}};
    CharacterCounter characterCounter;
    for (int taken = 0; taken < 6; ++taken)
        characterCounter.take();
    ByteBuffer tags;
    EXPECT_EQ(defineMorphShape(tags, start, end, characterCounter),
              std::optional<std::uint16_t>(7));

    const std::vector<std::uint8_t> expected = {
        0xBF, 0x0B, 0x48, 0x00, 0x00, 0x00,                         // code 46, long form, 72 bytes
        0x07, 0x00,                                                 // id 7
        0x80, 0x00, 0x00, 0xFA, 0x00, 0x00, 0x00, 0xBB, 0x80,       // start bounds
        0x80, 0x00, 0x00, 0xFA, 0x00, 0x00, 0x00, 0xBB, 0x80,       // end bounds
        0x24, 0x00, 0x00, 0x00,                                     // Offset 36
        0x01, 0x00, 0xFF, 0x00, 0x00, 0xFF, 0x00, 0x00, 0xFF, 0xFF, // red to blue
        0x01, 0x14, 0x00, 0x3C, 0x00, 0x00, 0x00, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0xFF, // pens
        0x22, 0x2E, 0x00, 0x00, 0x00, 0x00, 0x0B, 0xF4, 0x03, 0x20, 0x00, 0x00, 0x00, // start
        0x22, 0x06, 0x00, 0x00, 0x00, 0x00, 0x1F, 0x40, 0x00, 0x00, 0x32, 0x00};      // end
    EXPECT_EQ(bytesOf(tags), expected);
    // The Offset counts from the byte after it to the end edges' 0x22.
    EXPECT_EQ(tags.bytes()[30 + 36], 0x22);
}

} // namespace
} // namespace swf
