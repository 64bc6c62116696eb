// The axis mapping, in single precision as the pictures expect.
#include "geom/axis_mapping.h"

#include <cstdint>

namespace geom {
namespace {

// An integer difference of two edges, converted to float.
float span(std::int32_t from, std::int32_t to)
{
    return static_cast<float>(static_cast<std::int64_t>(to) - from);
}

} // namespace

Point2D mapAxisPoint(const LayerRect& layer, const AxisWindow& axis, Point2D point)
{
    const float x = static_cast<float>(layer.left) + span(layer.left, layer.right) *
                                                         (point.x - axis.xFrom) /
                                                         (axis.xTo - axis.xFrom);
    const float y = static_cast<float>(layer.top) +
                    span(layer.top, layer.bottom) * (axis.yTo - point.y) / (axis.yTo - axis.yFrom);
    return {x, y};
}

void mapAxisPoints(const LayerRect& layer, const AxisWindow& axis, std::span<Point2D> points)
{
    const float left = static_cast<float>(layer.left), width = span(layer.left, layer.right);
    const float top = static_cast<float>(layer.top), height = span(layer.top, layer.bottom);
    const float xFrom = axis.xFrom, xRange = axis.xTo - axis.xFrom;
    const float yTo = axis.yTo, yRange = axis.yTo - axis.yFrom;
    for (Point2D& point : points) {
        point.x = left + width * (point.x - xFrom) / xRange;
        point.y = top + height * (yTo - point.y) / yRange;
    }
}

} // namespace geom
