// Shape bounds.
#include "swf/shape_bounds.h"

#include "swf/styles.h"

#include <algorithm>
#include <limits>
#include <variant>

namespace swf {

namespace {

// A rectangle in twips that cannot overflow while it grows.
struct WideRect {
    std::int64_t xMin, xMax, yMin, yMax;

    void grow(std::int64_t x, std::int64_t y)
    {
        xMin = std::min(xMin, x);
        xMax = std::max(xMax, x);
        yMin = std::min(yMin, y);
        yMax = std::max(yMax, y);
    }
};

Twips narrowed(std::int64_t value)
{
    return {static_cast<std::int32_t>(
        std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                 std::numeric_limits<std::int32_t>::max()))};
}

} // namespace

std::optional<TwipsRect> outlineExtent(const ShapeOutline& outline, const render::Pen& pen)
{
    const std::vector<ShapeRecord> records =
        shapeRecordsOf(outline.records, outline.mode, StyleSelection::None);
    if (records.empty()) return std::nullopt;
    const TwipsPoint start = *std::get<StyleChangeRecord>(records.front()).moveTo;
    std::int64_t x = start.x.value, y = start.y.value;
    WideRect extent{x, x, y, y};
    for (const ShapeRecord& record : records) {
        if (const auto* straight = std::get_if<StraightEdgeRecord>(&record)) {
            x += straight->deltaX.value;
            y += straight->deltaY.value;
        } else if (const auto* curved = std::get_if<CurvedEdgeRecord>(&record)) {
            x += curved->controlDeltaX.value;
            y += curved->controlDeltaY.value;
            extent.grow(x, y);
            x += curved->anchorDeltaX.value;
            y += curved->anchorDeltaY.value;
        }
        extent.grow(x, y);
    }
    const std::int64_t half = lineStyleOf(pen).width / 2;
    return TwipsRect{narrowed(extent.xMin - half), narrowed(extent.xMax + half),
                     narrowed(extent.yMin - half), narrowed(extent.yMax + half)};
}

TwipsRect shapeBounds(const TwipsRect& frameRect, const ShapeOutline& outline,
                      const render::Pen& pen)
{
    TwipsRect bounds = frameRect;
    if (const std::optional<TwipsRect> extent = outlineExtent(outline, pen)) {
        bounds.xMin = std::min(bounds.xMin, extent->xMin);
        bounds.xMax = std::max(bounds.xMax, extent->xMax);
        bounds.yMin = std::min(bounds.yMin, extent->yMin);
        bounds.yMax = std::max(bounds.yMax, extent->yMax);
    }
    return bounds;
}

} // namespace swf
