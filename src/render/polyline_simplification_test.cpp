// Tests of polyline simplification: what is dropped stays within the tolerance.
#include "render/polyline_simplification.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace render {
namespace {

double distanceToSegment(DevicePoint p, DevicePoint a, DevicePoint b)
{
    const double vx = b.x - a.x, vy = b.y - a.y;
    const double length2 = vx * vx + vy * vy;
    double t = length2 > 0 ? ((p.x - a.x) * vx + (p.y - a.y) * vy) / length2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(p.x - (a.x + t * vx), p.y - (a.y + t * vy));
}

// The largest distance of an original point from the kept polyline, walking both in order.
double largestDeviation(const std::vector<geom::Point2D>& original,
                        const std::vector<geom::Point2D>& kept, const DeviceTransform& toDevice)
{
    double largest = 0;
    std::size_t segment = 0;
    for (const geom::Point2D& point : original) {
        if (segment + 1 < kept.size() && point == kept[segment + 1]) ++segment;
        if (segment + 1 >= kept.size()) break;
        largest =
            std::max(largest, distanceToSegment(toDevice.map(point), toDevice.map(kept[segment]),
                                                toDevice.map(kept[segment + 1])));
    }
    return largest;
}

TEST(PolylineSimplification, KeepsEveryDroppedPointWithinTheTolerance)
{
    struct Case {
        const char* name;
        std::vector<geom::Point2D> points;
        DeviceTransform toDevice;
    };
    std::vector<geom::Point2D> sine, spike, circle;
    for (int i = 0; i <= 200000; ++i) {
        const float x = static_cast<float>(i) * 0.0000455f;
        sine.push_back({x * 50, 250 - 200 * std::sin(4 * std::numbers::pi_v<float> * x)});
        circle.push_back({100 + 40 * std::cos(static_cast<float>(i) * 0.0001f),
                          100 + 40 * std::sin(static_cast<float>(i) * 0.0001f)});
    }
    for (int i = 0; i <= 2000; ++i)
        spike.push_back({10, static_cast<float>(i < 1000 ? i : 2000 - i)});
    const Case cases[] = {
        {"sine", sine, {}},
        {"sine moved and scaled", sine, {1.5, 0, 0, 1.5, 0.5, -20}},
        {"circle", circle, {}},
        {"spike that folds back", spike, {}},
    };
    for (const Case& c : cases) {
        const std::vector<geom::Point2D> kept = simplifyPolyline(c.points, c.toDevice, {});
        EXPECT_EQ(kept.front(), c.points.front()) << c.name;
        EXPECT_EQ(kept.back(), c.points.back()) << c.name;
        EXPECT_LT(kept.size(), c.points.size() / 10) << c.name;
        EXPECT_LE(largestDeviation(c.points, kept, c.toDevice), 0.0201) << c.name;
    }
}

} // namespace
} // namespace render
