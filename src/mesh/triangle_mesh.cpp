// Welding a mesh's positions and collecting its distinct edges.
#include "mesh/triangle_mesh.h"

#include <bit>
#include <unordered_map>
#include <unordered_set>

namespace mesh {
namespace {

struct PositionHash {
    std::size_t operator()(const geom::Point3D& p) const
    {
        // Bit patterns, with −0 folded onto +0 so that they compare equal as they hash equal.
        const auto bits = [](float v) { return std::bit_cast<std::uint32_t>(v == 0 ? 0.0f : v); };
        std::uint64_t h = bits(p.x);
        h = h * 0x9E3779B97F4A7C15ull ^ bits(p.y);
        h = h * 0x9E3779B97F4A7C15ull ^ bits(p.z);
        return static_cast<std::size_t>(h ^ (h >> 29));
    }
};

// For every vertex, the index of the first vertex at the same position among the distinct points.
std::vector<std::uint32_t> weldPositions(const TriangleMesh& mesh, WireFrame& wire)
{
    std::unordered_map<geom::Point3D, std::uint32_t, PositionHash> firstAt;
    firstAt.reserve(mesh.vertices.size());
    std::vector<std::uint32_t> pointOf;
    pointOf.reserve(mesh.vertices.size());
    for (const geom::Point3D& vertex : mesh.vertices) {
        const auto [it, inserted] =
            firstAt.try_emplace(vertex, static_cast<std::uint32_t>(wire.points.size()));
        if (inserted) wire.points.push_back(vertex);
        pointOf.push_back(it->second);
    }
    return pointOf;
}

} // namespace

WireFrame wireFrameOf(const TriangleMesh& mesh)
{
    WireFrame wire;
    const std::vector<std::uint32_t> pointOf = weldPositions(mesh, wire);
    std::unordered_set<std::uint64_t> seen;
    seen.reserve(mesh.triangles.size() * 2);
    const auto addEdge = [&](std::uint32_t a, std::uint32_t b) {
        if (a == b) return;
        if (a > b) std::swap(a, b);
        if (seen.insert(std::uint64_t{a} << 32 | b).second) wire.edges.push_back({a, b});
    };
    for (const std::array<std::uint32_t, 3>& triangle : mesh.triangles) {
        if (triangle[0] >= pointOf.size() || triangle[1] >= pointOf.size() ||
            triangle[2] >= pointOf.size())
            continue;
        const std::uint32_t a = pointOf[triangle[0]], b = pointOf[triangle[1]],
                            c = pointOf[triangle[2]];
        addEdge(a, b);
        addEdge(b, c);
        addEdge(c, a);
        ++wire.triangleCount;
    }
    return wire;
}

} // namespace mesh
