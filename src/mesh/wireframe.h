// A wireframe seen through the mesh camera: its edges clipped to what the camera sees and
// mapped onto the pixels of the viewport.
#pragma once

#include "geom/matrix2d.h"
#include "geom/matrix4x4.h"
#include "mesh/triangle_mesh.h"

#include <vector>

namespace mesh {

// The pixels the camera's picture fills: x from left to left + width, y from top (the top of
// the picture) down to top + height.
struct Viewport {
    float left = 0, top = 0, width = 0, height = 0;

    bool operator==(const Viewport&) const = default;
};

// The visible part of every edge of `wire`, whose points `toClip` (geometry · view · projection)
// carries into clip coordinates, as pairs of end points in viewport pixels. Parts in front of
// the near plane, beyond the far plane or outside the field of view are cut off; edges with a
// point that is not a finite number are left out.
std::vector<geom::Point2D> projectWireFrame(const WireFrame& wire, const geom::Matrix4x4& toClip,
                                            const Viewport& viewport);

} // namespace mesh
