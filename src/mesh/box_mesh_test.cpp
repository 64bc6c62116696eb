// Tests of the MESHB box layout.
#include "mesh/box_mesh.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace mesh {
namespace {

geom::Point3D minus(geom::Point3D a, geom::Point3D b)
{
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}

geom::Point3D cross(geom::Point3D a, geom::Point3D b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

TEST(BoxMesh, SixFacesOfFourVerticesTurnClockwiseSeenFromOutside)
{
    const std::optional<TriangleMesh> box = buildBox(2, 4, 6);
    ASSERT_TRUE(box);
    ASSERT_EQ(box->vertices.size(), 24u);
    ASSERT_EQ(box->triangles.size(), 12u);
    // Outward directions of the faces in their order: −x, +y, +x, −y, +z, −z.
    const geom::Point3D outward[] = {{-1, 0, 0}, {0, 1, 0}, {1, 0, 0},
                                     {0, -1, 0}, {0, 0, 1}, {0, 0, -1}};
    const geom::Point3D half{1, 2, 3};
    for (std::size_t face = 0; face < 6; ++face) {
        SCOPED_TRACE(face);
        for (std::size_t corner = 0; corner < 4; ++corner) { // corners of the box, on the face
            const geom::Point3D v = box->vertices[face * 4 + corner];
            EXPECT_EQ(std::fabs(v.x), half.x);
            EXPECT_EQ(std::fabs(v.y), half.y);
            EXPECT_EQ(std::fabs(v.z), half.z);
            EXPECT_EQ(v.x * outward[face].x + v.y * outward[face].y + v.z * outward[face].z,
                      std::fabs(outward[face].x) * half.x + std::fabs(outward[face].y) * half.y +
                          std::fabs(outward[face].z) * half.z);
        }
        for (std::size_t t = face * 2; t < face * 2 + 2; ++t) {
            const auto& [a, b, c] = box->triangles[t];
            EXPECT_TRUE(a / 4 == face && b / 4 == face && c / 4 == face);
            // Clockwise seen from outside in left-handed coordinates: (b − a) × (c − a) points out.
            const geom::Point3D n = cross(minus(box->vertices[b], box->vertices[a]),
                                          minus(box->vertices[c], box->vertices[a]));
            EXPECT_GT(n.x * outward[face].x + n.y * outward[face].y + n.z * outward[face].z, 0);
        }
    }
    const WireFrame wire = wireFrameOf(*box);
    EXPECT_EQ(wire.points.size(), 8u); // the corners
    EXPECT_EQ(wire.edges.size(), 18u); // 12 box edges and a diagonal on each face
}

TEST(BoxMesh, RefusesNegativeAndNonFiniteSizes)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float infinity = std::numeric_limits<float>::infinity();
    EXPECT_TRUE(buildBox(0, 0, 0)); // flat, but a box
    EXPECT_FALSE(buildBox(-1, 1, 1));
    EXPECT_FALSE(buildBox(1, nan, 1));
    EXPECT_FALSE(buildBox(1, 1, infinity));
}

} // namespace
} // namespace mesh
