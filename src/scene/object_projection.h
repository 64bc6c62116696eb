// The perspective projection of an object's 3D points: its 3D transform (its own, or that of
// its 3D axis system) with its current rectangle as the viewport.
#pragma once

#include "geom/point3d.h"
#include "geom/projection.h"
#include "scene/object_context.h"

#include <span>
#include <vector>

namespace render {

// The projection of `context`'s 3D points to device points.
geom::PerspectiveProjection objectProjection(const ObjectContext& context);

// Every point projected, in order. Points on the eye plane come out not finite.
std::vector<Point2D> projectAll(const geom::PerspectiveProjection& projection,
                                std::span<const geom::Point3D> points);

} // namespace render
