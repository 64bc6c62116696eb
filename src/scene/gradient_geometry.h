// Where a linear gradient by angle runs: along the angle through the middle of its rectangle,
// from the boundary line through one corner to the one through the opposite corner, so that the
// angle keeps its meaning whatever the rectangle's proportions.
#pragma once

#include "geom/matrix2d.h"
#include "scene/style.h"

namespace render {

struct GradientLine {
    geom::Point2D start; // colour 1
    geom::Point2D end;   // colour 2
    bool operator==(const GradientLine&) const = default;
};

// `angle` in degrees, clockwise on screen from the positive x axis.
GradientLine gradientLine(const RectF& rect, float angle);

} // namespace render
