// The rectangle an object is drawn into: the drawing area, or one of the figure's layers.
#pragma once

#include "model/figure.h"

#include <cstdint>

namespace geom {

// Four integers in device pixels. For the axis mapping they are the left, top, right and bottom
// edges; a layer's width and height fields serve as its right and bottom edges there. Right and
// bottom are also the extent that percentages of an object's coordinates refer to. A brush
// gradient reads the same four numbers as x, y, width and height.
struct LayerRect {
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;

    bool operator==(const LayerRect&) const = default;
};

// The rectangle of `layer` in a drawing area whose extent is areaWidth x areaHeight: the layer's
// numbers as they are, or, for a layer in percent, that percentage of the area's width (x, width)
// or height (y, height), truncated.
LayerRect layerRectangle(const model::Layer& layer, std::int32_t areaWidth,
                         std::int32_t areaHeight);

// `value` percent of `extent`: value / 100 * extent, in single precision.
float percentOf(float value, std::int32_t extent);

} // namespace geom
