// Tests of DefineShape3 with its PlaceObject, and of DefineMorphShape with its Offset.
#include "swf/format/define_shape.h"

#include "swf/format/curve_builders.h"
#include "swf/format/morph_shape.h"
#include "swf/read/tag_decoder.h"
#include "swf_golden_tags.h"

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
    EXPECT_EQ(bytesOf(tags), testing_support::goldenTags().back().bytes)
        << "the bytes of the golden table's line";
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

// Found by fuzzing the movie writer: an empty start outline and an ellipse as end gave a morph
// with 0 start edges but 4 end edges, which players and the reader cannot pair.
TEST(MorphShape, OutlinesOfDifferentLengthsGetAsManyEdgesByZeroLengthEdgesAtTheEnd)
{
    const std::vector<PathRecord> empty;
    const std::vector<PathRecord> line = {{0, 0}, {10, 0}};
    const std::vector<PathRecord> zigzag = {{0, 0}, {5, 5}, {10, 0}, {15, 5}};
    const std::vector<PathRecord> ellipse = ellipseOutline(10, 10, 40, 20);
    struct Case {
        MorphEnd start, end;
        std::size_t edges;
    };
    const Case cases[] = {
        {{frame400x300, {empty, EdgeMode::Polyline}, {}},
         {frame400x300, {ellipse, EdgeMode::Curve}, {}},
         4},
        {{frame400x300, {zigzag, EdgeMode::Polyline}, {}},
         {frame400x300, {line, EdgeMode::Polyline}, {}},
         3},
        {{frame400x300, {line, EdgeMode::Polyline}, {}},
         {frame400x300, {empty, EdgeMode::Polyline}, {}},
         1},
    };
    for (const Case& c : cases) {
        const DefineMorphShape morph = defineMorphShapeOf(1, c.start, c.end);
        const auto edges = [](const std::vector<ShapeRecord>& records) {
            return std::count_if(records.begin(), records.end(), [](const ShapeRecord& record) {
                return !std::holds_alternative<StyleChangeRecord>(record);
            });
        };
        EXPECT_EQ(edges(morph.startRecords), static_cast<std::ptrdiff_t>(c.edges));
        EXPECT_EQ(edges(morph.endRecords), static_cast<std::ptrdiff_t>(c.edges));

        ByteBuffer tag;
        appendDefineMorphShape(tag, morph);
        const Decoded<TagContent> decoded =
            decodeTagBody(46, tag.bytes().subspan(6)); // after the long header
        EXPECT_TRUE(decoded.ok()) << decoded.message;
    }
}

} // namespace
} // namespace swf
