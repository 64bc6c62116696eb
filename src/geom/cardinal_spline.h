// Cardinal splines as chains of cubic Bezier segments, with the tension rule of the drawing
// surface: the control points around p[i] are p[i] -/+ tension / 3 * (p[i+1] - p[i-1]), so a
// tension of 0 gives straight segments.
#pragma once

#include "geom/matrix2d.h"

#include <span>
#include <vector>

namespace geom {

struct BezierSegment {
    Point2D start, control1, control2, end;
    bool operator==(const BezierSegment&) const = default;
};

enum class CurveClosure { Open, Closed };

// Open: one segment between each pair of neighbours; at the ends the missing neighbour is the
// end point itself. Closed: the point list wraps around, giving one segment per point. Fewer
// than two points give no segments.
std::vector<BezierSegment> cardinalSpline(std::span<const Point2D> points, float tension,
                                          CurveClosure closure);

} // namespace geom
