// Shape bounds.
#include "swf/format/shape_bounds.h"

#include "swf/format/movie_limits.h"
#include "swf/format/styles.h"

#include <algorithm>
#include <limits>

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

// The writer's twips: positions within the coordinate limit, curve deltas within twice it.
constexpr std::int64_t positionLimit = std::int64_t{maxMovieCoordinatePixels} * twipsPerPixel;

std::int64_t positionTwips(float pixels)
{
    return std::clamp<std::int64_t>(twipsFromPixels(pixels).value, -positionLimit, positionLimit);
}

std::int64_t deltaTwips(float pixels)
{
    return std::clamp<std::int64_t>(twipsFromPixels(pixels).value, -2 * positionLimit,
                                    2 * positionLimit);
}

Twips narrowed(std::int64_t value)
{
    return {static_cast<std::int32_t>(
        std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                 std::numeric_limits<std::int32_t>::max()))};
}

} // namespace

std::optional<TwipsRect> outlineExtent(const ShapeOutline& outline, const render::Pen& pen)
{
    if (outline.records.empty()) return std::nullopt;
    std::int64_t x = positionTwips(outline.records[0].a);
    std::int64_t y = positionTwips(outline.records[0].b);
    WideRect extent{x, x, y, y};
    for (const PathRecord& record : outline.records.subspan(1)) {
        if (outline.mode == EdgeMode::Polyline) {
            extent.grow(positionTwips(record.a), positionTwips(record.b));
            continue;
        }
        x += deltaTwips(record.a); // the control point: the curve lies within its corners
        y += deltaTwips(record.b);
        extent.grow(x, y);
        x += deltaTwips(record.c);
        y += deltaTwips(record.d);
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
