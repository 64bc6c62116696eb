// Tests of the own-2D point arithmetic and the object world matrix.
#include "geom/own_2d.h"

#include <gtest/gtest.h>

#include <cmath>

namespace geom {
namespace {

struct Own2DCase {
    Own2DTransform transform;
    Point2D point;
    Point2D expected;
};

TEST(Own2D, TranslatesThenTurnsAboutTheCentre)
{
    const Own2DCase cases[] = {
        {{10, 0, 1, 1, 0, 0, 0}, {5, 7}, {15, 7}},
        {{0, 0, 1, 1, 90, 100, 100},
         {110, 100},
         {100 + 10 * std::cos(0.5f), 100 + 10 * std::sin(0.5f)}},
        // 180 turns by one radian; positive angles turn clockwise on screen (y down).
        {{0, 0, 1, 1, 180, 0, 0}, {1, 0}, {std::cos(1.0f), std::sin(1.0f)}},
        // The translation comes first, the centre is rounded down: 100.7 turns about 100.
        {{5, 0, 1, 1, 90 * 3.14159265f, 100.7f, 100.7f}, {105, 100}, {100, 110}},
        // Scale is the surface's part, not the point's.
        {{0, 0, 3, 4, 0, 0, 0}, {2, 2}, {2, 2}},
    };
    for (const Own2DCase& c : cases) {
        const Point2D moved = applyOwn2D(c.transform, c.point);
        EXPECT_NEAR(moved.x, c.expected.x, 1e-3) << c.transform.angle;
        EXPECT_NEAR(moved.y, c.expected.y, 1e-3) << c.transform.angle;
    }
}

TEST(Own2D, WithoutTheFlagPointsStayWhereTheyAre)
{
    EXPECT_EQ(applyOwn2D(std::nullopt, Point2D{3, 4}), (Point2D{3, 4}));
    EXPECT_EQ(applyOwn2D(std::nullopt, IntPoint2D{3, 4}), (IntPoint2D{3, 4}));
}

TEST(Own2D, CentresAreRoundedDown)
{
    const std::pair<float, float> cases[] = {
        {100, 100},  {100.7f, 100},     {-0.5f, -1},      {-1.5f, -2},        {-3, -3},
        {-2.9f, -3}, {-1500.5f, -1501}, {1e30f, 4.0e18f}, {-1e30f, -4.0e18f},
    };
    for (const auto& [c, expected] : cases)
        EXPECT_EQ(own2DCentre(c), expected) << c;
}

TEST(Own2D, IntegerPointsAreTruncatedBackAndCornersMoveSeparately)
{
    const Own2DTransform turn{0, 0, 1, 1, 90, 100, 100};
    EXPECT_EQ(applyOwn2D(turn, IntPoint2D{110, 100}), (IntPoint2D{108, 104}));
    const Own2DTransform shift{10, 20, 1, 1, 0, 0, 0};
    EXPECT_EQ(applyOwn2D(shift, CornerPair{{0, 0}, {30, 40}}), (CornerPair{{10, 20}, {40, 60}}));
}

TEST(Own2D, TheObjectMatrixAppliesBeforeTheViewMatrix)
{
    const Matrix2D view{2, 0, 0, 2, 5, 5};
    const Matrix2D object{1, 0, 0, 1, 20, 30};
    EXPECT_EQ(objectWorldMatrix(view, object).map({0, 0}), (Point2D{45, 65}));
    EXPECT_EQ(objectWorldMatrix(Matrix2D{}, object).map({1, 1}), (Point2D{21, 31}));
}

} // namespace
} // namespace geom
