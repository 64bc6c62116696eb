// Tests of cardinal splines as Bezier chains.
#include "geom/cardinal_spline.h"

#include <gtest/gtest.h>

#include <vector>

namespace geom {
namespace {

TEST(CardinalSpline, TensionZeroGivesStraightSegments)
{
    const std::vector<Point2D> points = {{0, 0}, {30, 0}, {30, 30}};
    const std::vector<BezierSegment> expected = {
        {{0, 0}, {0, 0}, {30, 0}, {30, 0}},
        {{30, 0}, {30, 0}, {30, 30}, {30, 30}},
    };
    EXPECT_EQ(cardinalSpline(points, 0, CurveClosure::Open), expected);
}

TEST(CardinalSpline, ControlPointsFollowTheNeighbours)
{
    const std::vector<Point2D> points = {{0, 0}, {30, 0}, {30, 30}};
    // tension 0.6: the control points lie 0.2 of the neighbour difference away.
    const std::vector<BezierSegment> open = cardinalSpline(points, 0.6f, CurveClosure::Open);
    ASSERT_EQ(open.size(), 2u);
    EXPECT_NEAR(open[0].control1.x, 6, 1e-5);  // the end point is its own missing neighbour
    EXPECT_NEAR(open[0].control2.x, 24, 1e-5); // 30 - 0.2 * (30 - 0)
    EXPECT_NEAR(open[0].control2.y, -6, 1e-5); // 0 - 0.2 * (30 - 0)
    EXPECT_NEAR(open[1].control1.x, 36, 1e-5);
    EXPECT_NEAR(open[1].control1.y, 6, 1e-5);

    const std::vector<BezierSegment> closed = cardinalSpline(points, 0.6f, CurveClosure::Closed);
    ASSERT_EQ(closed.size(), 3u);
    EXPECT_EQ(closed[2].end, (Point2D{0, 0}));
    EXPECT_NEAR(closed[0].control1.x, 0.2f * (30 - 30), 1e-5); // neighbours (30,30) and (30,0)
    EXPECT_NEAR(closed[0].control1.y, 0.2f * (0 - 30), 1e-5);
}

TEST(CardinalSpline, FewerThanTwoPointsGiveNothing)
{
    const std::vector<Point2D> one = {{1, 1}};
    EXPECT_TRUE(cardinalSpline(one, 0.5f, CurveClosure::Open).empty());
    EXPECT_TRUE(cardinalSpline({}, 0.5f, CurveClosure::Closed).empty());
}

} // namespace
} // namespace geom
