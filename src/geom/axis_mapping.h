// From the coordinates of a 2D axis system to device coordinates of its layer.
#pragma once

#include "geom/layer_rect.h"
#include "geom/matrix2d.h"

namespace geom {

// The window of a 2D axis system, in the order its record keeps it.
struct AxisWindow {
    float xFrom = 0, yTo = 0, xTo = 0, yFrom = 0;

    bool operator==(const AxisWindow&) const = default;
};

// The mapping of one axis window onto one layer, set up once for many points.
struct AxisMap {
    float left = 0, width = 0, top = 0, height = 0;
    float xFrom = 0, xRange = 0, yTo = 0, yRange = 0;

    Point2D operator()(Point2D point) const
    {
        return {left + width * (point.x - xFrom) / xRange, top + height * (yTo - point.y) / yRange};
    }
};

// The mapping that mapAxisPoint makes.
AxisMap axisMap(const LayerRect& layer, const AxisWindow& axis);

// xFrom lands on the layer's left edge, xTo on its right, yTo on its top and yFrom on its
// bottom. An axis whose from and to are equal gives a point that is not finite.
Point2D mapAxisPoint(const LayerRect& layer, const AxisWindow& axis, Point2D point);

} // namespace geom
