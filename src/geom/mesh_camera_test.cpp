// Tests of the mesh camera and the geometry matrix against values worked out by hand.
#include "geom/mesh_camera.h"

#include <gtest/gtest.h>

namespace geom {
namespace {

constexpr float halfPi = 1.5707964f;

void expectNear(Point4D actual, Point4D expected)
{
    EXPECT_NEAR(actual.x, expected.x, 1e-5f);
    EXPECT_NEAR(actual.y, expected.y, 1e-5f);
    EXPECT_NEAR(actual.z, expected.z, 1e-5f);
    EXPECT_NEAR(actual.w, expected.w, 1e-5f);
}

TEST(MeshCamera, ViewAndProjectionAreTheFixedLeftHandedCamera)
{
    // cot(π/8) = 2.4142136; far ÷ (far − near) = 50/49 = 1.0204082.
    struct Case {
        std::int32_t width, height;
        Point3D point;
        Point4D expected; // in clip coordinates
    };
    const Case cases[] = {
        {500, 500, {0, 0, 0}, {0, 0, 3.0612245f, 4}},
        {500, 500, {1, 1, -1}, {2.4142136f, 2.4142136f, 2.0408163f, 3}},
        {500, 500, {0, 0, -3}, {0, 0, 0, 1}},   // on the near plane: z = 0
        {500, 500, {0, 0, 46}, {0, 0, 50, 50}}, // on the far plane: z = w
        // 800 × 400: aspect 2 halves x, so a square stays square on the wider screen.
        {800, 400, {1, 1, -1}, {1.2071068f, 2.4142136f, 2.0408163f, 3}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " " << c.point.x << ","
                                        << c.point.y << "," << c.point.z);
        const std::optional<MeshCamera> camera = meshCamera(c.width, c.height);
        ASSERT_TRUE(camera);
        expectNear((camera->view * camera->projection).map(c.point), c.expected);
    }
    EXPECT_EQ(meshCamera(0, 400), std::nullopt);
    EXPECT_EQ(meshCamera(800, -1), std::nullopt);
}

TEST(MeshCamera, GeometryScalesThenTurnsAboutXYZThenMoves)
{
    struct Case {
        Transform3D transform;
        Point3D point;
        Point3D expected;
    };
    const Case cases[] = {
        {{}, {1, 2, 3}, {1, 2, 3}},
        // A quarter turn about y carries +z onto +x and +x onto −z.
        {{0, 0, 0, 1, 1, 1, 0, 0, 0, 0, halfPi, 0}, {0, 0, 1}, {1, 0, 0}},
        {{0, 0, 0, 1, 1, 1, 0, 0, 0, 0, halfPi, 0}, {1, 0, 0}, {0, 0, -1}},
        // x first: +y goes to +z about x, then to +x about y (y first would leave +z).
        {{0, 0, 0, 1, 1, 1, 0, 0, 0, halfPi, halfPi, 0}, {0, 1, 0}, {1, 0, 0}},
        // Scale (2, 1, 1) makes (2, 0, 0), a quarter turn about z makes (0, 2, 0), then the
        // offset; the eye position plays no part.
        {{0, 0, 5, 2, 1, 1, 7, 7, 7, 0, 0, halfPi}, {1, 0, 0}, {0, 2, 5}},
    };
    for (const Case& c : cases) {
        const Point4D p = meshGeometryMatrix(c.transform).map(c.point);
        expectNear(p, {c.expected.x, c.expected.y, c.expected.z, 1});
    }
}

} // namespace
} // namespace geom
