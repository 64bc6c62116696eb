// A mesh as the DX figures read it: corner positions and triangles, and the wireframe made of
// its distinct edges.
#pragma once

#include "geom/point3d.h"

#include <array>
#include <cstdint>
#include <vector>

namespace mesh {

struct TriangleMesh {
    std::vector<geom::Point3D> vertices;
    std::vector<std::array<std::uint32_t, 3>> triangles; // indices into `vertices`

    bool operator==(const TriangleMesh&) const = default;
};

struct WireEdge {
    std::uint32_t from = 0, to = 0; // indices into WireFrame::points, from < to

    bool operator==(const WireEdge&) const = default;
};

// The lines a wireframe draws: each distinct position once, and each edge between two of them
// once, however many triangles share it (vertices that differ only in their other data, like the
// three copies of a box corner, are one point here).
struct WireFrame {
    std::vector<geom::Point3D> points;
    std::vector<WireEdge> edges;
    std::size_t triangleCount = 0; // triangles of the mesh it was made from

    bool operator==(const WireFrame&) const = default;
};

// The wireframe of `mesh`. Triangles whose indices lie outside the vertex list are skipped, and
// so are edges from a point to itself.
WireFrame wireFrameOf(const TriangleMesh& mesh);

} // namespace mesh
