// The box of a MESHB object, laid out like the boxes of the Direct3D utility library.
#pragma once

#include "mesh/triangle_mesh.h"

#include <optional>

namespace mesh {

// A box of the given sizes along x, y and z, centred on the origin: six faces of four vertices
// each (24 in all; every corner appears once per face it touches) in the order −x, +y, +x, −y,
// +z, −z, and two triangles per face (12 in all), clockwise seen from outside. None when a size
// is negative or not a finite number.
std::optional<TriangleMesh> buildBox(float width, float height, float depth);

} // namespace mesh
