// Tests of the outlines of lines and curves and of how they are spread over frames.
#include "swf/export/frame_spreading.h"

#include <gtest/gtest.h>

#include <vector>

namespace swf {
namespace {

using geom::Point2D;

TEST(FrameSpreading, OneFrameOutlinesRepeatInnerPointsAndChainQuadraticPieces)
{
    const std::vector<Point2D> points = {{0, 0}, {10, 0}, {10, 10}, {0, 10}, {5, 5}};
    EXPECT_EQ(segmentOutline(std::span(points).first(3)),
              (std::vector<PathRecord>{{0, 0}, {10, 0}, {10, 0}, {10, 10}}));
    EXPECT_TRUE(segmentOutline(std::span(points).first(1)).empty());
    // (p0, p1, p2) and (p2, p3, p4): the start, then control and anchor deltas.
    EXPECT_EQ(quadraticOutline(points),
              (std::vector<PathRecord>{{0, 0}, {10, 0, 0, 10}, {-10, 0, 5, -5}}));
    EXPECT_EQ(quadraticOutline(std::span(points).first(4)).size(), 2u);
    EXPECT_TRUE(quadraticOutline(std::span(points).first(2)).empty());
    EXPECT_EQ(polylineOutline(std::span(points).first(2)),
              (std::vector<PathRecord>{{0, 0}, {10, 0}}));
}

TEST(FrameSpreading, ElevenPointsOverFiveFramesPutTwoSegmentsIntoEachFrame)
{
    const FrameList frames = {10, 11, 12, 13, 14};
    std::vector<std::uint32_t> segmentFrames;
    for (std::size_t segment = 0; segment < 10; ++segment)
        segmentFrames.push_back(spreadFrame(segment, 11, frames).value_or(0));
    EXPECT_EQ(segmentFrames, (std::vector<std::uint32_t>{10, 10, 11, 11, 12, 12, 13, 13, 14, 14}));
    // Twelve points: per is still 2, and the last frame takes the segment left over.
    EXPECT_EQ(spreadFrame(10, 12, frames), std::optional<std::uint32_t>(14));
    // More frames than segments: nothing.
    EXPECT_EQ(spreadFrame(0, 5, frames), std::nullopt);
    // Curve pieces start at even points: 2k div per.
    EXPECT_EQ(spreadFrame(4, 11, frames), std::optional<std::uint32_t>(12));
}

struct ChunkCase {
    std::size_t pointCount;
    FrameList frames;
    std::vector<ProgressiveChunk> expected;
};

TEST(FrameSpreading, FunctionsGrowByTheirShareOfPointsPerFrame)
{
    const std::vector<ChunkCase> cases = {
        {11,
         {0, 1, 2, 3, 4},
         {{0, 0, 2, false}, {1, 2, 4, true}, {2, 4, 6, true}, {3, 6, 8, true}, {4, 8, 10, true}}},
        {101, {7}, {{7, 0, 100, false}}},
        // share 0.5: one new point per frame, then zero-length pieces until the last frame
        {3, {0, 1, 2, 3}, {{0, 0, 1, false}, {1, 1, 2, true}, {2, 2, 2, true}, {3, 2, 2, true}}},
        // share 1.5: the fraction carries
        {4, {5, 6}, {{5, 0, 2, false}, {6, 2, 3, true}}},
        {1, {0, 1}, {}},
        {0, {0}, {}},
    };
    for (const ChunkCase& c : cases)
        EXPECT_EQ(progressiveChunks(c.pointCount, c.frames), c.expected) << c.pointCount;

    const std::vector<Point2D> points = {{0, 0}, {1, 1}, {2, 2}, {3, 3}};
    EXPECT_EQ(chunkPoints(points, {6, 2, 3, true}), (std::vector<Point2D>{{2, 2}, {2, 2}, {3, 3}}));
    EXPECT_EQ(chunkPoints(points, {5, 0, 2, false}),
              (std::vector<Point2D>{{0, 0}, {1, 1}, {2, 2}}));
}

} // namespace
} // namespace swf
