// Runs of finite points.
#include "scene/finite_runs.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cmath>

namespace render {

bool isFinite(Point2D point)
{
    return std::isfinite(point.x) && std::isfinite(point.y);
}

bool allFinite(std::span<const Point2D> points)
{
    // A float is finite when its exponent bits are not all set.
    constexpr std::uint32_t exponent = 0x7F800000u;
    std::uint32_t infinite = 0;
    for (const Point2D& point : points) {
        infinite |= static_cast<std::uint32_t>((std::bit_cast<std::uint32_t>(point.x) & exponent) ==
                                               exponent);
        infinite |= static_cast<std::uint32_t>((std::bit_cast<std::uint32_t>(point.y) & exponent) ==
                                               exponent);
    }
    return infinite == 0;
}

std::vector<std::span<const Point2D>> finiteRuns(std::span<const Point2D> points)
{
    if (!points.empty() && allFinite(points)) return {points};
    std::vector<std::span<const Point2D>> runs;
    std::size_t start = 0;
    while (start < points.size()) {
        const auto first = std::find_if(points.begin() + static_cast<std::ptrdiff_t>(start),
                                        points.end(), [](Point2D p) { return isFinite(p); });
        const auto last = std::find_if(first, points.end(), [](Point2D p) { return !isFinite(p); });
        if (first != last) runs.emplace_back(first, last);
        start = static_cast<std::size_t>(last - points.begin());
    }
    return runs;
}

std::vector<Point2D> finitePoints(std::span<const Point2D> points)
{
    std::vector<Point2D> kept;
    kept.reserve(points.size());
    std::copy_if(points.begin(), points.end(), std::back_inserter(kept),
                 [](Point2D p) { return isFinite(p); });
    return kept;
}

} // namespace render
