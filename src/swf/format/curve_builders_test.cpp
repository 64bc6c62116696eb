// Tests of the curve builders: the ellipse's halved integer sizes, three-point curves and
// triples.
#include "swf/format/curve_builders.h"

#include <gtest/gtest.h>

namespace swf {
namespace {

TEST(CurveBuilders, EllipseRunsClockwiseFromTheLeftWithHalvedIntegerSizes)
{
    struct Case {
        float x, y, width, height;
        std::vector<PathRecord> expected;
    };
    const Case cases[] = {
        {10,
         20,
         101,
         51,
         {{10, 45}, {0, -25, 50, 0}, {50, 0, 0, 25}, {0, 25, -50, 0}, {-50, 0, 0, -25}}},
        {0.5f,
         0.25f,
         9.9f,
         3.7f,
         {{0.5f, 1.25f}, {0, -1, 4, 0}, {4, 0, 0, 1}, {0, 1, -4, 0}, {-4, 0, 0, -1}}},
        {0, 0, 1, 1, {{0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ellipseOutline(c.x, c.y, c.width, c.height), c.expected)
            << c.width << " x " << c.height;
}

TEST(CurveBuilders, ThreePointsGiveStartControlDeltaAndAnchorDelta)
{
    std::vector<geom::Point2D> points;
    appendCurveTriple(points, {1, 2}, {4, 6}, {10, 6});
    EXPECT_EQ(points, (std::vector<geom::Point2D>{{1, 2}, {3, 4}, {6, 0}}));

    std::vector<PathRecord> records;
    appendCurveRecords(records, {1, 2}, {4, 6}, {10, 6});
    EXPECT_EQ(records, (std::vector<PathRecord>{{1, 2, 0, 0}, {3, 4, 6, 0}}));
}

TEST(CurveBuilders, TriplesGiveOneStartAndOneCurveEachAndDropAnIncompleteTriple)
{
    struct Case {
        std::vector<geom::Point2D> triples;
        std::vector<PathRecord> expected;
    };
    const Case cases[] = {
        {{}, {}},
        {{{1, 1}, {2, 2}}, {}},
        {{{1, 1}, {2, 0}, {0, 2}}, {{1, 1}, {2, 0, 0, 2}}},
        {{{1, 1}, {2, 0}, {0, 2}, {99, 99}, {-2, 0}, {0, -2}, {7, 7}},
         {{1, 1}, {2, 0, 0, 2}, {-2, 0, 0, -2}}}, // the second start is skipped
    };
    for (const Case& c : cases)
        EXPECT_EQ(curveRecordsFromTriples(c.triples), c.expected);
}

} // namespace
} // namespace swf
