// Layer rectangles and percentages of a layer's extent.
#include "geom/layer_rect.h"

#include <algorithm>
#include <limits>

namespace geom {
namespace {

// value * extent / 100 in integers, truncated toward zero and kept within 32 bits.
std::int32_t percentOfExtent(std::int32_t value, std::int32_t extent)
{
    const std::int64_t product = static_cast<std::int64_t>(value) * extent / 100;
    return static_cast<std::int32_t>(
        std::clamp<std::int64_t>(product, std::numeric_limits<std::int32_t>::min(),
                                 std::numeric_limits<std::int32_t>::max()));
}

} // namespace

LayerRect layerRectangle(const model::Layer& layer, std::int32_t areaWidth, std::int32_t areaHeight)
{
    if (layer.inPercent == 0) return {layer.x, layer.y, layer.width, layer.height};
    return {percentOfExtent(layer.x, areaWidth), percentOfExtent(layer.y, areaHeight),
            percentOfExtent(layer.width, areaWidth), percentOfExtent(layer.height, areaHeight)};
}

float percentOf(float value, std::int32_t extent)
{
    return value / 100.0f * static_cast<float>(extent);
}

} // namespace geom
