// Tests of layer rectangles, percentages and the axis mapping.
#include "geom/axis_mapping.h"

#include <gtest/gtest.h>

#include <cmath>

namespace geom {
namespace {

TEST(LayerRect, PercentLayersScaleWithTheAreaAndPixelLayersDoNot)
{
    const std::pair<model::Layer, LayerRect> cases[] = {
        {{25, 25, 75, 75, 1}, {125, 125, 375, 375}},
        {{25, 25, 75, 75, 0}, {25, 25, 75, 75}},
        {{33, 33, 66, 66, 1}, {165, 132, 330, 264}}, // 500 x 400: products truncated
        {{-10, 0, 101, 1, 1}, {-50, 0, 505, 5}},
        {{2147483647, 0, 0, 0, 1}, {2147483647, 0, 0, 0}}, // saturates instead of overflowing
    };
    for (const auto& [layer, expected] : cases) {
        const std::int32_t height = layer.x == 33 ? 400 : 500;
        EXPECT_EQ(layerRectangle(layer, 500, height), expected) << layer.x << " " << layer.width;
    }
}

TEST(LayerRect, PercentOfTheExtent)
{
    EXPECT_FLOAT_EQ(percentOf(50, 375), 187.5f);
    EXPECT_FLOAT_EQ(percentOf(10, 500), 50.0f);
    EXPECT_FLOAT_EQ(percentOf(-20, 100), -20.0f);
}

struct MappingCase {
    LayerRect layer;
    AxisWindow axis;
    Point2D point;
    Point2D expected;
};

TEST(AxisMapping, PutsTheAxisEndsOnTheLayerEdges)
{
    const AxisWindow window{-3, 10, 10, -3}; // x from -3 to 10, y from -3 to 10
    const MappingCase cases[] = {
        {{0, 0, 500, 500}, window, {0, 0}, {115.38461f, 384.61539f}},
        {{125, 125, 375, 375}, window, {0, 0}, {182.69231f, 317.30769f}},
        {{0, 0, 500, 500}, window, {-3, -3}, {0, 500}},
        {{0, 0, 500, 500}, window, {10, 10}, {500, 0}},
        {{100, 50, 300, 250}, {0, 1, 1, 0}, {0.5f, 0.25f}, {200, 200}},
    };
    for (const MappingCase& c : cases) {
        const Point2D mapped = mapAxisPoint(c.layer, c.axis, c.point);
        EXPECT_NEAR(mapped.x, c.expected.x, 1e-3) << c.point.x << "," << c.point.y;
        EXPECT_NEAR(mapped.y, c.expected.y, 1e-3) << c.point.x << "," << c.point.y;
    }
}

TEST(AxisMapping, AnEmptyAxisRangeGivesPointsThatAreNotFinite)
{
    const Point2D mapped = mapAxisPoint({0, 0, 500, 500}, {1, 1, 1, 1}, {2, 2});
    EXPECT_FALSE(std::isfinite(mapped.x));
    EXPECT_FALSE(std::isfinite(mapped.y));
}

} // namespace
} // namespace geom
