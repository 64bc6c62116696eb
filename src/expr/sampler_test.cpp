// Tests of the FunctionSampler: counts, positions, snapping, projections, spectrum and limits.
#include "expr/sampler.h"

#include "lang/object_builder.h"
#include "model/limits.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace expr {
namespace {

using geom::Point2D;
using geom::Point3D;

model::PlotObject object(std::string_view line)
{
    model::PlotObject result;
    std::vector<std::string> rejected;
    lang::buildObject(line, result, rejected);
    return result;
}

std::vector<Point2D> function(std::string_view subObjects)
{
    FunctionResultCache cache;
    return sampleFunction(cache, 1, object("FUNCTION at(1) " + std::string(subObjects)));
}

std::vector<float> xs(const std::vector<Point2D>& points)
{
    std::vector<float> result;
    for (const Point2D& point : points)
        result.push_back(point.x);
    return result;
}

std::vector<float> steps(int count, float from, float step)
{
    std::vector<float> result;
    for (int i = 0; i < count; ++i)
        result.push_back(static_cast<float>(i) * step + from);
    return result;
}

TEST(Sampler, PlacesSamplesOneStepPastTheRange)
{
    const std::pair<std::string, std::vector<float>> cases[] = {
        {"n(x) p2(0,1) p1(0.25)", {0, 0.25f, 0.5f, 0.75f, 1, 1.25f}},
        {"n(x) p2(0,1) p1(0.3)", steps(5, 0, 0.3f)},
        {"n(x) p2(1,0) p1(-0.25)", {1, 0.75f, 0.5f, 0.25f, 0, -0.25f}},
        {"n(x) p2(-0.1,9) p1(0.005)", steps(1822, -0.1f, 0.005f)}, // 9.1f / 0.005f > 1820
        {"n(x) p2(0,0) p1(1)", {0, 1}},
        {"n(x) p2(1,0) p1(0.25)", {}}, // the range runs against the step
        {"n(x) p2(0,1) p1(0)", {}},    // step 0
        {"n(x) p2(0,1e39) p1(1)", {}}, // an infinite range
        {"n(x) p1(1)", {}},            // no range
        {"p2(0,1) p1(1)", {}},         // no expression
    };
    for (const auto& [subObjects, expected] : cases)
        EXPECT_EQ(xs(function(subObjects)), expected) << subObjects;
}

TEST(Sampler, SnapsTinyValuesToZero)
{
    const std::pair<std::string, float> cases[] = {
        {"n(0.00005) p2(0,1) p1(1)", 0.0f},
        {"n(-0.00009) p2(0,1) p1(1)", 0.0f},
        {"n(0.0002) p2(0,1) p1(1)", 0.0002f},
        {"n(0/0) p2(0,1) p1(1)", std::nanf("")},
    };
    for (const auto& [subObjects, expected] : cases) {
        const std::vector<Point2D> points = function(subObjects);
        ASSERT_EQ(points.size(), 3u);
        if (std::isnan(expected))
            EXPECT_TRUE(std::isnan(points[0].y));
        else
            EXPECT_EQ(points[0].y, expected) << subObjects;
    }
}

TEST(Sampler, ProjectionOnePutsTheValueOnTheHorizontalAxis)
{
    const std::vector<Point2D> upright = function("n(\"sin(2*pi*x)\") p2(0,1) p1(0.25) p1(1)");
    const std::vector<Point2D> normal = function("n(\"sin(2*pi*x)\") p2(0,1) p1(0.25)");
    ASSERT_EQ(upright.size(), normal.size());
    for (std::size_t i = 0; i < normal.size(); ++i)
        EXPECT_EQ(upright[i], (Point2D{normal[i].y, normal[i].x}));
    EXPECT_EQ(normal[1], (Point2D{0.25f, 1.0f}));
}

TEST(Sampler, SpectrumReplacesTheValues)
{
    const std::vector<Point2D> points = function("n(1) p2(0,6) p1(1) p1(0) p1(1)");
    ASSERT_EQ(points.size(), 8u);
    EXPECT_NEAR(points[0].y, 2.828427f, 1e-6f);
    for (std::size_t k = 1; k < 8; ++k)
        EXPECT_EQ(points[k], (Point2D{static_cast<float>(k), 0.0f}));
    // A count that is neither a power of two nor small: the spectrum is drawn all the same.
    EXPECT_EQ(function("n(\"sin(4*pi*x)\") p2(-0.1,9) p1(0.001) p1(0) p1(1)").size(), 9102u);
}

// The mapped points are the floats of sampling first and mapping after, bit for bit (the first
// points are made four at a time, the rest one by one), and a cache shared by every row hands
// each sampling its own values.
TEST(Sampler, MapsWhileSamplingToTheFloatsOfMappingAfter)
{
    const std::string rows[] = {
        "n(\"sin(4*pi*x)\") p2(-0.1,9) p1(0.0091)",
        "n(\"sin(4*pi*x)\") p2(-0.1,9) p1(0.013)",
        "n(\"sin(4*pi*x)\") p2(-0.1,9) p1(0.013) p1(1)",
        "n(1/x) p2(-2,0) p1(0.5)",
        "n(\"sqrt(x)\") p2(-2,2) p1(0.5) p1(1)",
        "n(x*1e30) p2(0,1) p1(1)",
        "n(0.00005) p2(0,0) p1(1)",
        "n(1) p2(0,6) p1(1) p1(0) p1(1)",
    };
    const std::pair<geom::LayerRect, geom::AxisWindow> mappings[] = {
        {{0, 0, 500, 500}, {-0.1f, 1.2f, 9, -1.2f}},
        {{17, -5, 403, 311}, {-3, 10, 10, -3}},
        {{0, 0, 500, 500}, {1, 1, 1, 1}},
        {{0, 0, 500, 500}, {-1e38f, 1e38f, 1e38f, -1e38f}},
    };
    FunctionResultCache shared;
    for (const std::string& row : rows) {
        const model::PlotObject function = object("FUNCTION at(1) " + row);
        FunctionResultCache own;
        const std::vector<Point2D> sampled = sampleFunction(own, 1, function);
        ASSERT_FALSE(sampled.empty()) << row;
        for (const auto& [layer, axis] : mappings) {
            std::vector<Point2D> expected;
            for (const Point2D& point : sampled)
                expected.push_back(geom::mapAxisPoint(layer, axis, point));
            const auto [mapped, allFinite] =
                sampleFunction(shared, 1, function, geom::axisMap(layer, axis));
            EXPECT_EQ(allFinite, std::all_of(mapped.begin(), mapped.end(),
                                             [](Point2D p) {
                                                 return std::isfinite(p.x) && std::isfinite(p.y);
                                             }))
                << row;
            ASSERT_EQ(mapped.size(), expected.size()) << row;
            EXPECT_EQ(std::memcmp(mapped.data(), expected.data(), mapped.size() * sizeof(Point2D)),
                      0)
                << row;
        }
    }
}

TEST(Sampler, PlacesFunction3AByItsProjectionType)
{
    const Point3D expected[] = {{2, 5, 0}, {5, 2, 0}, {2, 0, 5}, {5, 0, 2},
                                {0, 2, 5}, {0, 5, 2}, {0, 0, 0}};
    for (int type = 0; type <= 6; ++type) {
        FunctionResultCache cache;
        const std::vector<Point3D> points = sampleFunction3A(
            cache, 1,
            object("FUNCTION3A at(1) n(x+3) p2(2,2) p1(1) p1(" + std::to_string(type) + ")"));
        ASSERT_EQ(points.size(), 2u);
        EXPECT_EQ(points[0], expected[type]) << "type " << type;
    }
}

TEST(Sampler, SamplesSurfacesOnTheirGrid)
{
    FunctionResultCache cache;
    const SurfacePoints surface = sampleSurface(
        cache, 1,
        object("FUNCTION3D at(1) n(\"x*(y^2)\") p2(-0.5,0.5) p2(-0.5,0.5) p1(0.1) p1(0.1)"));
    EXPECT_EQ(surface.nx, 12);
    EXPECT_EQ(surface.ny, 12);
    ASSERT_EQ(surface.points.size(), 144u);
    EXPECT_EQ(surface.drawingType, DrawingType::Lines);
    EXPECT_EQ(surface.pointSize, 3.0f);
    const float x = 2 * 0.1f - 0.5f, y = 5 * 0.1f - 0.5f;
    EXPECT_EQ(surface.points[2 * 12 + 5].x, x);
    EXPECT_EQ(surface.points[2 * 12 + 5].y, y);
    EXPECT_FLOAT_EQ(surface.points[2 * 12 + 5].z, x * y * y);
    EXPECT_EQ(cache.gridEntryCount(), 1u);

    const Point3D expected[] = {{2, 3, 5}, {3, 2, 5}, {2, 5, 3}, {3, 5, 2}, {5, 2, 3}, {5, 3, 2}};
    for (int type = 0; type <= 5; ++type) {
        const SurfacePoints placed =
            sampleSurface(cache, 1,
                          object("FUNCTION3D at(1) n(5) p2(2,2) p2(3,3) p1(1) p1(1) p1(" +
                                 std::to_string(type) + ") p1(2) p1(6.5)"));
        ASSERT_EQ(placed.points.size(), 4u);
        EXPECT_EQ(placed.points[0], expected[type]) << "type " << type;
        EXPECT_EQ(placed.drawingType, DrawingType::LinesAndPoints);
        EXPECT_EQ(placed.pointSize, 6.5f);
    }
    const std::string unusable[] = {"p2(0,1) p2(0,1) p1(0) p1(1)", "p2(0,1) p2(2,0) p1(1) p1(1)",
                                    "p2(0,1) p2(0,1) p1(1)"};
    for (const std::string& subObjects : unusable)
        EXPECT_TRUE(
            sampleSurface(cache, 1, object("FUNCTION3D at(1) n(x) " + subObjects)).points.empty())
            << subObjects;
}

TEST(Sampler, RefusesWhatPassesItsLimitsWithOneMessage)
{
    struct Case {
        std::string line;
        std::vector<std::string> messages;
    };
    const Case cases[] = {
        {"FUNCTION at(1) n(x) p2(0,10) p1(0.0000001)",
         {"FUNCTION: 100000002 samples is more than the limit of 10000000"}},
        {"FUNCTION3A at(1) n(x) p2(0,1e30) p1(1)",
         {"FUNCTION3A: 1e+30 samples is more than the limit of 10000000"}},
        {"FUNCTION3D at(1) n(x) p2(0,30) p2(0,30) p1(0.01) p1(0.01)",
         {"FUNCTION3D: 3002 x 3002 grid points is more than the limit of 4000000"}},
        {"FUNCTION at(1) n(x) p2(0,1e308) p1(1e-308)",
         {"FUNCTION: the range and step give an unbounded number of samples, more than the "
          "limit of 10000000"}},
        // Six operands written as text cost 20 each: 8388610 * 120 evaluations.
        {"FUNCTION at(1) n(\"xe+xe+xe+xe+xe+xe\") p2(0,4194304) p1(0.5)",
         {"FUNCTION: 8388610 samples of this expression need 1006633200 operand evaluations, "
          "more than the limit of 1000000000"}},
        {"FUNCTION at(1) n(x) p2(0,10000000) p1(1)",
         {"FUNCTION: 10000002 samples is more than the limit of 10000000"}},
        {"FUNCTION3D at(1) n(x*y) p2(0,2000) p1(1) p2(0,1999) p1(1)",
         {"FUNCTION3D: 2002 x 2001 grid points is more than the limit of 4000000"}},
        {"FUNCTION at(1) n(x) p2(0,9999998) p1(1)", {}},                   // 10000000 samples
        {"FUNCTION3D at(1) n(x) p2(0,1998) p1(1) p2(0,1998) p1(1)", {}},   // 2000 x 2000
        {"FUNCTION at(1) n(x) p2(0,8388606) p1(1) p1(0) p1(1)", {}},       // 2^23 samples: radix 2
        {"FUNCTION at(1) n(x) p2(0,10000) p1(1) p1(0) p1(1)", {}},        // chirp transform
        {"FUNCTION at(1) n(x) p2(0,1) p1(1e-40)",
         {"FUNCTION: the range and step give an unbounded number of samples, more than the "
          "limit of 10000000"}},
        {"FUNCTION3D at(1) n(x) p2(0,1) p1(0.5) p2(-1e39,1e39) p1(1)",
         {"FUNCTION3D: the ranges and steps give an unbounded number of grid points, more than "
          "the limit of 4000000"}},
        {"FUNCTION at(1) n(x) p2(0,-1e39) p1(1)", {}}, // runs against the step: no samples
        // Expression texts cut at the language's limits draw what remains, without a message.
        {"FUNCTION at(1) n(\"1" + std::string(120, ' ') + "+x\") p2(0,1) p1(1)", {}},
        {"FUNCTION at(1) n(" + std::string(10050, '1') + ") p2(0,1) p1(1)", {}},
        {"FUNCTION at(1) n(x) p2(0,1) p1(0)", {}},
        {"RECTANGLE at(1) p4(0,0,10,10)", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(describeSampleLimits(object(c.line)), c.messages) << c.line;

    FunctionResultCache cache;
    EXPECT_TRUE(sampleFunction(cache, 1, object(cases[0].line)).empty());
    EXPECT_TRUE(sampleFunction3A(cache, 1, object(cases[1].line)).empty());
    EXPECT_TRUE(sampleSurface(cache, 1, object(cases[2].line)).points.empty());
    EXPECT_TRUE(sampleFunction(cache, 1, object(cases[3].line)).empty());
    EXPECT_EQ(cache.listEntryCount() + cache.gridEntryCount(), 0u); // nothing was evaluated
}

} // namespace
} // namespace expr
