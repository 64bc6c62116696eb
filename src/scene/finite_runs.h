// Points that cannot be drawn: a point with a coordinate that is not finite (a value of 1/0, a
// point on the eye plane) is left out, and a line through it is broken there rather than drawn
// to a point that does not exist.
#pragma once

#include "geom/matrix2d.h"

#include <span>
#include <vector>

namespace render {

using geom::Point2D;

bool isFinite(Point2D point);

// Whether every point is finite, in one branch-free pass.
bool allFinite(std::span<const Point2D> points);

// The runs of consecutive finite points, in order; points that are not finite separate them.
std::vector<std::span<const Point2D>> finiteRuns(std::span<const Point2D> points);

// The finite points alone, in order (for closed shapes, which cannot be broken).
std::vector<Point2D> finitePoints(std::span<const Point2D> points);

} // namespace render
