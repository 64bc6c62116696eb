// The box of a MESHB object.
#include "mesh/box_mesh.h"

#include <cmath>

namespace mesh {
namespace {

// The corners of each face on the box from −1 to 1, in the order the face's two triangles
// (0, 1, 2) and (2, 3, 0) go round it clockwise when seen from outside.
constexpr std::array<std::array<geom::Point3D, 4>, 6> unitFaces{{
    {{{-1, -1, -1}, {-1, -1, 1}, {-1, 1, 1}, {-1, 1, -1}}}, // −x
    {{{-1, 1, -1}, {-1, 1, 1}, {1, 1, 1}, {1, 1, -1}}},     // +y
    {{{1, 1, -1}, {1, 1, 1}, {1, -1, 1}, {1, -1, -1}}},     // +x
    {{{-1, -1, 1}, {-1, -1, -1}, {1, -1, -1}, {1, -1, 1}}}, // −y
    {{{-1, -1, 1}, {1, -1, 1}, {1, 1, 1}, {-1, 1, 1}}},     // +z
    {{{-1, -1, -1}, {-1, 1, -1}, {1, 1, -1}, {1, -1, -1}}}, // −z
}};

bool isValidSize(float size)
{
    return std::isfinite(size) && size >= 0;
}

} // namespace

std::optional<TriangleMesh> buildBox(float width, float height, float depth)
{
    if (!isValidSize(width) || !isValidSize(height) || !isValidSize(depth)) return std::nullopt;
    const float hx = width / 2, hy = height / 2, hz = depth / 2;
    TriangleMesh box;
    box.vertices.reserve(24);
    box.triangles.reserve(12);
    for (const std::array<geom::Point3D, 4>& face : unitFaces) {
        const auto first = static_cast<std::uint32_t>(box.vertices.size());
        for (const geom::Point3D& corner : face)
            box.vertices.push_back({corner.x * hx, corner.y * hy, corner.z * hz});
        box.triangles.push_back({first, first + 1, first + 2});
        box.triangles.push_back({first + 2, first + 3, first});
    }
    return box;
}

} // namespace mesh
