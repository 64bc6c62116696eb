// Tests of shape records: the exact bits of moves and edges, the edge counts, positions that do
// not drift, and long edges split into pieces that fit their fields.
#include "swf/format/shape_records.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace swf {
namespace {

std::vector<std::uint8_t> edgesOf(const std::vector<PathRecord>& outline, EdgeMode mode,
                                  StyleSelection selection)
{
    ByteBuffer buffer;
    writeEdges(buffer, outline, mode, selection);
    return {buffer.bytes().begin(), buffer.bytes().end()};
}

// The end point of the records: the move plus every edge's deltas.
TwipsPoint endOf(const std::vector<ShapeRecord>& records)
{
    TwipsPoint position;
    for (const ShapeRecord& record : records) {
        if (const auto* change = std::get_if<StyleChangeRecord>(&record); change && change->moveTo)
            position = *change->moveTo;
        if (const auto* line = std::get_if<StraightEdgeRecord>(&record))
            position = {position.x + line->deltaX, position.y + line->deltaY};
        if (const auto* curve = std::get_if<CurvedEdgeRecord>(&record))
            position = {position.x + curve->controlDeltaX + curve->anchorDeltaX,
                        position.y + curve->controlDeltaY + curve->anchorDeltaY};
    }
    return position;
}

bool fits16(Twips value)
{
    return value.value >= -32768 && value.value <= 32767;
}

TEST(ShapeRecords, WritesMovesAndEdgesBitForBit)
{
    struct Case {
        const char* name;
        std::vector<PathRecord> outline;
        EdgeMode mode;
        StyleSelection selection;
        std::vector<std::uint8_t> expected;
    };
    const Case cases[] = {
        {"polyline with styles: 00101110000, 200, 400, 01, 01, then 1111101 edges",
         {{10, 20}, {15.5f, 20}, {10, 30}},
         EdgeMode::Polyline,
         StyleSelection::FirstStyles,
         {0x2E, 0x00, 0x19, 0x00, 0x32, 0x0B, 0xF4, 0x01, 0xB8, 0x00, 0x03, 0xEF, 0xFC, 0x90, 0x06,
          0x40, 0x00}},
        {"one record without styles: 00000110000, the move and the end record",
         {{-1, 2}},
         EdgeMode::Polyline,
         StyleSelection::None,
         {0x06, 0x1F, 0xFD, 0x80, 0x05, 0x00, 0x00}},
        {"curve: 101110 and four 16-bit deltas",
         {{5, 10}, {0, -25, 50, 0}},
         EdgeMode::Curve,
         StyleSelection::FirstStyles,
         {0x2E, 0x00, 0x0C, 0x80, 0x19, 0x0B, 0x70, 0x00, 0x07, 0xF0, 0x60, 0x1F, 0x40, 0x00, 0x00,
          0x00}},
        {"no records: the end record alone",
         {},
         EdgeMode::Polyline,
         StyleSelection::FirstStyles,
         {0x00}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(edgesOf(c.outline, c.mode, c.selection), c.expected) << c.name;
}

TEST(ShapeRecords, GivesOneMoveAndOneEdgePerLaterRecord)
{
    const std::vector<PathRecord> polyline = {{0, 0}, {1, 1}, {2, 0}, {3, 1}, {4, 0}};
    const std::vector<ShapeRecord> lines =
        shapeRecordsOf(polyline, EdgeMode::Polyline, StyleSelection::FirstStyles);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(std::get<StyleChangeRecord>(lines[0]),
              (StyleChangeRecord{TwipsPoint{{0}, {0}}, 1, std::nullopt, 1}));
    for (std::size_t index = 1; index < lines.size(); ++index)
        EXPECT_TRUE(std::holds_alternative<StraightEdgeRecord>(lines[index]));

    const std::vector<PathRecord> curves = {{1, 1}, {1, 0, 1, 0}, {0, 1, 0, 1}, {-1, 0, -1, 0}};
    const std::vector<ShapeRecord> pieces =
        shapeRecordsOf(curves, EdgeMode::Curve, StyleSelection::None);
    ASSERT_EQ(pieces.size(), 4u);
    EXPECT_EQ(
        std::get<StyleChangeRecord>(pieces[0]),
        (StyleChangeRecord{TwipsPoint{{20}, {20}}, std::nullopt, std::nullopt, std::nullopt}));
    EXPECT_EQ(std::get<CurvedEdgeRecord>(pieces[3]), (CurvedEdgeRecord{{-20}, {0}, {-20}, {0}}));
}

// Regression: deltas truncated from (point - pen position) made every falling edge with a
// fractional end land one twip short, and a long falling polyline drifted by pixels.
TEST(ShapeRecords, PolylineEdgesEndOnTheTruncatedPointsWithoutDrift)
{
    std::vector<PathRecord> falling;
    for (int index = 0; index <= 2000; ++index)
        falling.push_back({100.0f + 0.37f * static_cast<float>(index),
                           300.0f - 0.137f * static_cast<float>(index)});
    const std::vector<ShapeRecord> records =
        shapeRecordsOf(falling, EdgeMode::Polyline, StyleSelection::FirstStyles);
    EXPECT_EQ(endOf(records),
              (TwipsPoint{twipsFromPixels(falling.back().a), twipsFromPixels(falling.back().b)}));

    // A rectangle at a fractional position closes exactly.
    const std::vector<PathRecord> rectangle = {
        {10.37f, 20.51f}, {110.37f, 20.51f}, {110.37f, 70.51f}, {10.37f, 70.51f}, {10.37f, 20.51f}};
    const std::vector<ShapeRecord> closed =
        shapeRecordsOf(rectangle, EdgeMode::Polyline, StyleSelection::None);
    EXPECT_EQ(endOf(closed), std::get<StyleChangeRecord>(closed[0]).moveTo);
}

TEST(ShapeRecords, SplitsLongEdgesIntoPiecesThatFitAndEndWhereTheyEnded)
{
    struct Case {
        const char* name;
        std::vector<PathRecord> outline;
        EdgeMode mode;
        std::size_t expectedRecords;
    };
    const Case cases[] = {
        {"a 3000-pixel line: two pieces of 30000 twips",
         {{0, 0}, {3000, -3000}},
         EdgeMode::Polyline,
         3},
        {"a line across the whole coordinate range",
         {{-1e9f, 0}, {1e9f, 1}},
         EdgeMode::Polyline,
         1 + 64},
        {"a curve with 2000-pixel deltas", {{0, 0}, {2000, 0, 0, -2000}}, EdgeMode::Curve, 1 + 2},
        {"short edges stay whole", {{0, 0}, {1000, 1000}, {0, 0}}, EdgeMode::Polyline, 3},
    };
    for (const Case& c : cases) {
        const std::vector<ShapeRecord> whole =
            shapeRecordsOf(c.outline, c.mode, StyleSelection::None);
        const std::vector<ShapeRecord> split = splitLongEdges(whole);
        EXPECT_EQ(split.size(), c.expectedRecords) << c.name;
        EXPECT_EQ(endOf(split), endOf(whole)) << c.name;
        for (const ShapeRecord& record : split) {
            if (const auto* line = std::get_if<StraightEdgeRecord>(&record)) {
                EXPECT_TRUE(fits16(line->deltaX) && fits16(line->deltaY)) << c.name;
            }
            if (const auto* curve = std::get_if<CurvedEdgeRecord>(&record)) {
                EXPECT_TRUE(fits16(curve->controlDeltaX) && fits16(curve->controlDeltaY) &&
                            fits16(curve->anchorDeltaX) && fits16(curve->anchorDeltaY))
                    << c.name;
            }
        }
    }
}

TEST(ShapeRecords, KeepsPointsWithinTheCoordinateLimit)
{
    const std::vector<PathRecord> far = {{1e9f, -1e9f}, {NAN, 5}};
    const std::vector<ShapeRecord> records =
        shapeRecordsOf(far, EdgeMode::Polyline, StyleSelection::None);
    EXPECT_EQ(std::get<StyleChangeRecord>(records[0]).moveTo, (TwipsPoint{{1000000}, {-1000000}}));
    EXPECT_EQ(std::get<StraightEdgeRecord>(records[1]), (StraightEdgeRecord{{-1000000}, {1000100}}))
        << "NaN is drawn at 0";

    struct Case {
        std::vector<PathRecord> outline;
        EdgeMode mode;
        bool exceeds;
    };
    const Case cases[] = {
        {{{50000, -50000}, {0, 0}}, EdgeMode::Polyline, false},
        {{{0, 0}, {50000.1f, 0}}, EdgeMode::Polyline, true},
        {{{0, 0}, {100000, 0, 0, -100000}}, EdgeMode::Curve, false},
        {{{0, 0}, {0, 0, 0, 100001}}, EdgeMode::Curve, true},
        {{{-60000, 0}, {0, 0, 0, 0}}, EdgeMode::Curve, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(exceedsCoordinateLimit(c.outline, c.mode), c.exceeds) << c.outline[1].a;
    EXPECT_NE(coordinateLimitMessage().find("50000 pixels"), std::string::npos);
}

TEST(ShapeRecords, SplitsTheEdgesOfTwoOutlinesInStep)
{
    std::vector<ShapeRecord> start = {StyleChangeRecord{TwipsPoint{}, 1, std::nullopt, 1},
                                      StraightEdgeRecord{{100}, {0}},
                                      CurvedEdgeRecord{{10}, {10}, {10}, {10}}};
    std::vector<ShapeRecord> end = {StyleChangeRecord{TwipsPoint{}, {}, {}, {}},
                                    StraightEdgeRecord{{0}, {100000}},
                                    CurvedEdgeRecord{{10}, {10}, {10}, {10}}};
    splitLongEdgesInStep(start, end);
    ASSERT_EQ(start.size(), end.size());
    EXPECT_EQ(start.size(), 1u + 4u + 1u) << "100000 twips take four pieces, in both outlines";
    EXPECT_EQ(std::get<StraightEdgeRecord>(start[1]), (StraightEdgeRecord{{25}, {0}}));
    EXPECT_EQ(std::get<StraightEdgeRecord>(end[4]), (StraightEdgeRecord{{0}, {25000}}));
}

} // namespace
} // namespace swf
