// From the coordinates of a 2D axis system to device coordinates of its layer.
#pragma once

#include "geom/layer_rect.h"
#include "geom/matrix2d.h"

#include <span>

namespace geom {

// The window of a 2D axis system, in the order its record keeps it.
struct AxisWindow {
    float xFrom = 0, yTo = 0, xTo = 0, yFrom = 0;

    bool operator==(const AxisWindow&) const = default;
};

// xFrom lands on the layer's left edge, xTo on its right, yTo on its top and yFrom on its
// bottom. An axis whose from and to are equal gives a point that is not finite.
Point2D mapAxisPoint(const LayerRect& layer, const AxisWindow& axis, Point2D point);

// mapAxisPoint on every point, in place, with the same results.
void mapAxisPoints(const LayerRect& layer, const AxisWindow& axis, std::span<Point2D> points);

} // namespace geom
