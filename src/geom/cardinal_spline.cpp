// Cardinal spline to Bezier conversion.
#include "geom/cardinal_spline.h"

namespace geom {

std::vector<BezierSegment> cardinalSpline(std::span<const Point2D> points, float tension,
                                          CurveClosure closure)
{
    std::vector<BezierSegment> segments;
    const std::size_t count = points.size();
    if (count < 2) return segments;
    const bool closed = closure == CurveClosure::Closed;
    const float factor = tension / 3.0f;
    // The neighbour at index i (which may run one past either end).
    const auto at = [&](std::ptrdiff_t i) -> Point2D {
        const auto n = static_cast<std::ptrdiff_t>(count);
        if (closed) return points[static_cast<std::size_t>(((i % n) + n) % n)];
        if (i < 0) return points.front();
        if (i >= n) return points.back();
        return points[static_cast<std::size_t>(i)];
    };
    const std::size_t segmentCount = closed ? count : count - 1;
    segments.reserve(segmentCount);
    for (std::size_t s = 0; s < segmentCount; ++s) {
        const auto i = static_cast<std::ptrdiff_t>(s);
        const Point2D previous = at(i - 1), start = at(i), end = at(i + 1), next = at(i + 2);
        segments.push_back(
            {start,
             {start.x + factor * (end.x - previous.x), start.y + factor * (end.y - previous.y)},
             {end.x - factor * (next.x - start.x), end.y - factor * (next.y - start.y)},
             end});
    }
    return segments;
}

} // namespace geom
