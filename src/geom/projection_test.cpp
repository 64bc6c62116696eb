// Tests of the 3D perspective projection and the 4D step.
#include "geom/projection.h"

#include <gtest/gtest.h>

#include <cmath>

namespace geom {
namespace {

const std::array<float, 4> figure500{0, 0, 500, 500};

TEST(Projection, ProjectsThroughTheEyeLikeTheExamples)
{
    const Transform3D eyeBehind{0, 0, 0, 1, 1, 1, 0, 0, -2, 0, 0, 0};
    const Transform3D zeroScale{0, 0, 0, 0, 0, 0, 0, 0, -2, 0, 0, 0};
    const Transform3D squashed{0, 0, 0, 2, 0, 0, 0, 0, -2, 0, 0, 0};
    struct Case {
        Transform3D transform;
        std::array<float, 4> viewport;
        Point3D point;
        Point2D expected;
    };
    const Case cases[] = {
        {eyeBehind, figure500, {0, 0, 0}, {250, 250}},
        {eyeBehind, figure500, {1, 0, 0}, {500, 250}},
        {eyeBehind, figure500, {0, 1, 0}, {250, 0}},
        {eyeBehind, figure500, {0, 0, 1}, {250, 250}},
        {eyeBehind, figure500, {1, 0, 1}, {750, 250}},
        {zeroScale, figure500, {1, 0, 1}, {750, 250}},
        {squashed, figure500, {1, 5, 5}, {750, 250}},
        // Left and top move the picture; its size and centre still come from right and bottom.
        {eyeBehind, {30, 40, 500, 500}, {1, 0, 0}, {530, 290}},
        {eyeBehind, {0, 0, 501, 301}, {0, 0, 0}, {251, 150}},
    };
    for (const Case& c : cases) {
        const Point2D projected = project3D(c.transform, c.viewport, c.point);
        EXPECT_FLOAT_EQ(projected.x, c.expected.x)
            << c.point.x << "," << c.point.y << "," << c.point.z;
        EXPECT_FLOAT_EQ(projected.y, c.expected.y)
            << c.point.x << "," << c.point.y << "," << c.point.z;
    }
}

TEST(Projection, TurnsAboutTheAxesByTheEyeAngles)
{
    const float halfPi = 1.5707964f;
    // A quarter turn about y carries +z onto +x.
    const Transform3D turned{0, 0, 0, 1, 1, 1, 0, 0, -2, 0, halfPi, 0};
    Projector3D projector = Projector3D::from(turned, figure500);
    const Point2D p = project3D(projector, {0, 0, 1});
    EXPECT_NEAR(p.x, 500, 1e-3); // z turned onto x
    EXPECT_NEAR(p.y, 250, 1e-3);
    EXPECT_EQ(projector.x, p.x); // the projector keeps its result
}

TEST(Projection, PreparedProjectionMatchesSingleCallsBitForBit)
{
    const Transform3D transform{0.1f, -0.2f, 0.3f,  1.5f, 0.5f, 2,
                                0.3f, -0.1f, -2.5f, 0.6f, 0.5f, 0.1f};
    const PerspectiveProjection prepared(Projector3D::from(transform, figure500));
    for (float t = -1; t <= 1; t += 0.125f) {
        const Point3D point{t, t * t, -t};
        const Point2D single = project3D(transform, figure500, point);
        const Point2D many = prepared(point);
        EXPECT_EQ(single.x, many.x);
        EXPECT_EQ(single.y, many.y);
    }
}

TEST(Projection, PointsOnTheEyePlaneAreNotFinite)
{
    const Transform3D eyeBehind{0, 0, 0, 1, 1, 1, 0, 0, -2, 0, 0, 0};
    const Point2D p = project3D(eyeBehind, figure500, {1, 1, 2});
    EXPECT_FALSE(std::isfinite(p.x) && std::isfinite(p.y));
}

TEST(Projection, MultipliesMatricesOnlyWhenTheInnerSizesAgree)
{
    const MatrixF a{2, 3, {1, 2, 3, 4, 5, 6}};
    const MatrixF b{3, 1, {1, 0, -1}};
    const auto product = multiply(a, b);
    ASSERT_TRUE(product);
    EXPECT_EQ(product->values, (std::vector<float>{-2, -2}));
    EXPECT_FALSE(multiply(a, a));
}

TEST(Projection, FourDimensionalPointsDivideByTheFourthCoordinate)
{
    const std::pair<std::array<float, 4>, Point3D> cases[] = {
        {{1, 0, 0, 2}, {1, 0, 0}},
        {{1, 1, 1, 1}, {2, 2, 2}},
        {{0.5f, -1, 4, 4}, {0.25f, -0.5f, 2}},
    };
    for (const auto& [p, expected] : cases)
        EXPECT_EQ(project4Dto3D(p[0], p[1], p[2], p[3]), expected);
    const Point3D atInfinity = project4Dto3D(1, 1, 1, 0);
    EXPECT_TRUE(std::isinf(atInfinity.x));
}

} // namespace
} // namespace geom
