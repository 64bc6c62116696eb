// Tests of the exact coverage of wide polylines: areas of straight strokes, joins, sums of
// overlapping parts, and clipping to the device.
#include "render/stroke_coverage.h"

#include <gtest/gtest.h>

#include <cmath>

namespace render {
namespace {

using Points = std::vector<geom::Point2D>;

CoverageMask cover(const Points& points, double width, std::int32_t deviceWidth = 40,
                   std::int32_t deviceHeight = 30)
{
    return polylineCoverage(points, {}, {width, 2}, deviceWidth, deviceHeight);
}

// Coverage at a device pixel, 0 outside the mask.
int at(const CoverageMask& mask, std::int32_t x, std::int32_t y)
{
    const bool inside =
        x >= mask.left && x < mask.left + mask.width && y >= mask.top && y < mask.top + mask.height;
    return inside ? mask.at(x, y) : 0;
}

TEST(StrokeCoverage, CoversTheAreaOfStraightStrokesExactly)
{
    const struct {
        Points points;
        std::vector<std::array<int, 3>> pixels; // x, y, coverage
    } cases[] = {
        // Width 2 around y = 5: rows 4 and 5 from column 2 to 7, nothing beyond the flat caps.
        {{{2, 5}, {8, 5}}, {{2, 4, 255}, {7, 5, 255}, {1, 4, 0}, {8, 5, 0}, {4, 3, 0}, {4, 6, 0}}},
        // Half a pixel down: half rows above and below.
        {{{2, 5.5f}, {8, 5.5f}}, {{4, 4, 128}, {4, 5, 255}, {4, 6, 128}, {4, 7, 0}}},
        // A start half into a pixel.
        {{{2.5f, 5}, {8, 5}}, {{2, 4, 128}, {3, 4, 255}}},
        {{{5, 2}, {5, 8}}, {{4, 2, 255}, {5, 7, 255}, {3, 4, 0}, {6, 4, 0}}},
        // Repeated points add nothing.
        {{{2, 5}, {2, 5}, {8, 5}, {8, 5}}, {{2, 4, 255}, {7, 5, 255}, {8, 5, 0}}},
        // A right angle: the outer corner is mitred square, the inner one is full.
        {{{5, 5}, {15, 5}, {15, 15}}, {{15, 4, 255}, {14, 5, 255}, {16, 3, 0}}},
        // Going back along itself: each side of the line is covered by both legs, and half a
        // pixel twice is full. The turn, sharper than the miter limit, is squared off two
        // widths ahead.
        {{{0, 4.5f}, {30, 4.5f}, {0, 4.5f}},
         {{10, 3, 255}, {10, 5, 255}, {33, 4, 255}, {35, 4, 0}}},
        // Clipped to the device: what lies left of it still counts.
        {{{-10, 5}, {10, 5}}, {{0, 4, 255}, {9, 5, 255}, {10, 5, 0}}},
    };
    for (const auto& c : cases) {
        const CoverageMask mask = cover(c.points, 2);
        for (const auto& [x, y, coverage] : c.pixels)
            EXPECT_EQ(at(mask, x, y), coverage)
                << c.points.front().x << "," << c.points.front().y << ": pixel " << x << "," << y;
    }
}

TEST(StrokeCoverage, SumsToTheStrokesAreaOnSlantedLines)
{
    // A 45 degree line of length 10 sqrt 2 and width 2 covers 20 sqrt 2 pixels in all.
    const CoverageMask mask = cover({{12, 2}, {2, 12}}, 2);
    double total = 0;
    for (std::uint8_t alpha : mask.alpha)
        total += alpha / 255.0;
    EXPECT_NEAR(total, 20 * std::sqrt(2.0), 0.05);
    // The same line through a transform that doubles it: twice as long, the same width.
    const CoverageMask doubled = polylineCoverage(std::vector<geom::Point2D>{{6, 1}, {1, 6}},
                                                  {2, 0, 0, 2, 0, 0}, {2, 2}, 40, 30);
    EXPECT_EQ(doubled, mask);
}

TEST(StrokeCoverage, CoversNothingWithoutALineInTheDevice)
{
    EXPECT_EQ(cover({{3, 3}, {3, 3}}, 2), CoverageMask{});
    EXPECT_EQ(cover({{3, 3}}, 2), CoverageMask{});
    EXPECT_EQ(cover({{100, 100}, {200, 200}}, 2), CoverageMask{});
    EXPECT_EQ(cover({{1, 1}, {5, 5}}, 0), CoverageMask{});
    // Far outside on both sides: the rows it crosses, and no time spent beyond them.
    const CoverageMask across = cover({{-1e30f, 10}, {1e30f, 10}}, 2);
    EXPECT_EQ(at(across, 0, 9), 255);
    EXPECT_EQ(at(across, 39, 10), 255);
    EXPECT_EQ(at(across, 20, 11), 0);
}

TEST(StrokeCoverage, CoversLongLinesInPiecesAsInOne)
{
    // Long lines are cut into pieces of a few thousand points, covered apart and added up. The
    // same stroke drawn through other points (every point repeated, or a straight line cut
    // into many) is cut elsewhere: the masks must agree to a level.
    const auto point = [](double x, double y) {
        return geom::Point2D{static_cast<float>(x), static_cast<float>(y)};
    };
    const auto repeated = [](const Points& line) {
        Points twice;
        for (const geom::Point2D& p : line)
            twice.insert(twice.end(), {p, p});
        return twice;
    };
    const auto straight = [&](double x0, double y0, double x1, double y1, int count) {
        Points line;
        for (int i = 0; i < count; ++i)
            line.push_back(
                point(x0 + (x1 - x0) * i / (count - 1), y0 + (y1 - y0) * i / (count - 1)));
        return line;
    };
    std::vector<Points> lines(4);
    for (int i = 0; i < 6000; ++i) {
        const double t = i / 6000.0;
        lines[0].push_back(point(t * 190 + 5, 60 + 50 * std::sin(t * 40)));            // a wave
        lines[1].push_back(point(t * 180 + 10, (i % 2 == 0) ? 10.0 : 110.3 - t * 20)); // turns
        lines[2].push_back(point(100 + t * 120 * std::cos(t * 30), 60 + t * 70 * std::sin(t * 30)));
        // Far above and below the device between its visits.
        lines[3].push_back(point(10 + t * 180, 60 + 400 * std::sin(t * 25)));
    }
    lines[1].push_back({260, 60}); // beyond the device
    const struct {
        const char* what;
        Points line, same;
    } cases[] = {
        {"wave", lines[0], repeated(lines[0])},
        {"turns", lines[1], repeated(lines[1])},
        {"spiral", lines[2], repeated(lines[2])},
        {"beyond top and bottom", lines[3], repeated(lines[3])},
        // Whole pieces lie left of the device, where their edges still count.
        {"from far left", straight(-5000, 30.5, 150, 60.5, 2),
         straight(-5000, 30.5, 150, 60.5, 20000)},
        {"to far right", straight(20, 30.5, 9000, 90.5, 2), straight(20, 30.5, 9000, 90.5, 20000)},
    };
    for (const auto& c : cases) {
        const CoverageMask one = polylineCoverage(c.line, {}, {2.5, 2}, 200, 120);
        const CoverageMask other = polylineCoverage(c.same, {}, {2.5, 2}, 200, 120);
        ASSERT_EQ(other.width, one.width) << c.what;
        ASSERT_EQ(other.height, one.height) << c.what;
        int largest = 0;
        for (std::size_t i = 0; i < one.alpha.size(); ++i)
            largest = std::max(largest, std::abs(one.alpha[i] - other.alpha[i]));
        EXPECT_LE(largest, 1) << c.what;
    }
}

TEST(StrokeCoverage, BoundsHoldEveryPointOfTheStrokeUnderAnyTransform)
{
    // The stroke's points under the transform (the extremes among them in pairs and alone),
    // widened by the margin for width 2 and miter limit 2 (2 * 2.5 + 2 = 7): the bounds are
    // those rounded outwards.
    const Points points{{1, 2}, {-3, 5}, {4, -1}, {0.5f, 7}, {9, -4}}; // the last one alone
    const DeviceTransform transforms[] = {
        {},
        {3, 0, 0, 2, 50, 40},          // scaled and moved
        {-2, 0, 0, 1, 60, 30},         // mirrored across
        {1.5, 0, 0, -2.5, 20, 70},     // mirrored upside down
        {0, 2, -2, 0, 40, 40},         // a quarter turn
        {1.2, 0.7, -0.7, 1.2, 30, 20}, // turned a little
    };
    for (const DeviceTransform& t : transforms) {
        double minX = 1e9, maxX = -1e9, minY = 1e9, maxY = -1e9;
        for (const geom::Point2D& p : points) {
            const DevicePoint d = t.map(p);
            minX = std::min(minX, d.x);
            maxX = std::max(maxX, d.x);
            minY = std::min(minY, d.y);
            maxY = std::max(maxY, d.y);
        }
        const PixelArea expected{static_cast<std::int32_t>(std::floor(minX - 7)),
                                 static_cast<std::int32_t>(std::floor(minY - 7)),
                                 static_cast<std::int32_t>(std::ceil(maxX + 7)),
                                 static_cast<std::int32_t>(std::ceil(maxY + 7))};
        EXPECT_EQ(strokeBounds(points, t, {2, 2}, {-1000, -1000, 1000, 1000}), expected)
            << t.m11 << " " << t.m12 << " " << t.m21 << " " << t.m22;
    }
}

} // namespace
} // namespace render
