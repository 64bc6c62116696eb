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

AxisMap axisMap(const LayerRect& layer, const AxisWindow& axis)
{
    return {static_cast<float>(layer.left),
            span(layer.left, layer.right),
            static_cast<float>(layer.top),
            span(layer.top, layer.bottom),
            axis.xFrom,
            axis.xTo - axis.xFrom,
            axis.yTo,
            axis.yTo - axis.yFrom};
}

Point2D mapAxisPoint(const LayerRect& layer, const AxisWindow& axis, Point2D point)
{
    return axisMap(layer, axis)(point);
}

} // namespace geom
