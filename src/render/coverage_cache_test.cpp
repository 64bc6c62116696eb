// Tests of the kept coverage masks: found again for the same line moved by whole pixels, and
// only then.
#include "render/coverage_cache.h"

#include <gtest/gtest.h>

#include <cmath>

namespace render {
namespace {

using Points = std::vector<geom::Point2D>;

// A wave of many short segments that turns often, as sampled functions do.
Points wave(float length)
{
    Points points;
    for (float x = 0; x <= length; x += 0.05f)
        points.push_back({x, 5 * std::sin(x)});
    return points;
}

// Largest difference of two masks over the device, pixels outside a mask counting 0.
int largestDifference(const CoverageMask& a, const CoverageMask& b, std::int32_t width,
                      std::int32_t height)
{
    const auto at = [](const CoverageMask& mask, std::int32_t x, std::int32_t y) {
        const bool inside = x >= mask.left && x < mask.left + mask.width && y >= mask.top &&
                            y < mask.top + mask.height;
        return inside ? static_cast<int>(mask.at(x, y)) : 0;
    };
    int largest = 0;
    for (std::int32_t y = 0; y < height; ++y)
        for (std::int32_t x = 0; x < width; ++x)
            largest = std::max(largest, std::abs(at(a, x, y) - at(b, x, y)));
    return largest;
}

TEST(CoverageCache, FindsTheSameLineMovedByWholePixels)
{
    // On a device of 300 x 200 the kept area reaches 150 pixels left and right of it: the long
    // wave (600 pixels) reaches past it, the short one (120 pixels) does not.
    const Points longWave = wave(150), shortWave = wave(30), others = wave(149);
    const DeviceTransform kept{4, 0, 0, 4, 20.5, 60.5};
    const StrokeShape shape{2, 2};
    const struct {
        const char* what;
        const Points& drawn;  // the line kept
        const Points& points; // the line looked for
        DeviceTransform toDevice;
        StrokeShape shape;
        bool found;
        KeptReach reach = KeptReach::DeviceAndMargin;
    } cases[] = {
        {"unmoved", longWave, longWave, kept, shape, true},
        {"right and up", longWave, longWave, {4, 0, 0, 4, 70.5, 10.5}, shape, true},
        {"left, partly off the device", longWave, longWave, {4, 0, 0, 4, -30.5, 90.5}, shape, true},
        {"past the kept area", longWave, longWave, {4, 0, 0, 4, -300.5, 60.5}, shape, false},
        {"far, all of it kept", shortWave, shortWave, {4, 0, 0, 4, -1000.5, 60.5}, shape, true},
        {"by half a pixel", longWave, longWave, {4, 0, 0, 4, 21, 60.5}, shape, false},
        {"scaled", longWave, longWave, {4.5, 0, 0, 4.5, 20.5, 60.5}, shape, false},
        {"wider", longWave, longWave, kept, {3, 2}, false},
        {"other points", longWave, others, kept, shape, false},
        {"unmoved, device only", longWave, longWave, kept, shape, true, KeptReach::Device},
        {"moved, device only",
         longWave,
         longWave,
         {4, 0, 0, 4, 70.5, 10.5},
         shape,
         false,
         KeptReach::Device},
        {"far, all of it on the device",
         shortWave,
         shortWave,
         {4, 0, 0, 4, -1000.5, 60.5},
         shape,
         true,
         KeptReach::Device},
    };
    for (const auto& c : cases) {
        CoverageCache cache;
        const CoverageMask first = cache.computeAndKeep(c.drawn, kept, shape, 300, 200, c.reach);
        EXPECT_LE(
            largestDifference(first, polylineCoverage(c.drawn, kept, shape, 300, 200), 300, 200), 1)
            << c.what;
        const std::optional<CoverageMask> found =
            cache.find(c.points, c.toDevice, c.shape, 300, 200);
        ASSERT_EQ(found.has_value(), c.found) << c.what;
        if (!found) continue;
        const CoverageMask computed = polylineCoverage(c.drawn, c.toDevice, shape, 300, 200);
        EXPECT_LE(largestDifference(*found, computed, 300, 200), 1) << c.what;
    }
}

TEST(CoverageCache, KeepsWhatTheLastPaintDrew)
{
    const Points points = wave(60), others = wave(30);
    const DeviceTransform toDevice{4, 0, 0, 4, 20.5, 60.5};
    CoverageCache cache;
    cache.computeAndKeep(points, toDevice, {2, 2}, 300, 200);
    cache.computeAndKeep(others, toDevice, {2, 2}, 300, 200);
    cache.endPaint();
    EXPECT_EQ(cache.size(), 2u);
    // The next paint draws the first line only: the second is dropped after it.
    EXPECT_TRUE(cache.find(points, toDevice, {2, 2}, 300, 200));
    cache.endPaint();
    EXPECT_EQ(cache.size(), 1u);
    EXPECT_FALSE(cache.find(others, toDevice, {2, 2}, 300, 200));
}

TEST(CoverageCache, AMarginComputedLaterReplacesTheDevicesOwn)
{
    const Points points = wave(150);
    const DeviceTransform toDevice{4, 0, 0, 4, 20.5, 60.5}, moved{4, 0, 0, 4, 70.5, 10.5};
    CoverageCache cache;
    const CoverageMask onDevice =
        cache.computeAndKeep(points, toDevice, {2, 2}, 300, 200, KeptReach::Device);
    EXPECT_EQ(onDevice, polylineCoverage(points, toDevice, {2, 2}, 300, 200));
    cache.endPaint();
    cache.keep(
        computeCoverage({std::make_shared<const Points>(points), toDevice, {2, 2}, 300, 200}));
    ASSERT_TRUE(cache.find(points, toDevice, {2, 2}, 300, 200));
    cache.endPaint();
    EXPECT_EQ(cache.size(), 1u);
    const std::optional<CoverageMask> found = cache.find(points, moved, {2, 2}, 300, 200);
    ASSERT_TRUE(found);
    EXPECT_EQ(
        largestDifference(*found, polylineCoverage(points, moved, {2, 2}, 300, 200), 300, 200), 0);
}

} // namespace
} // namespace render
