// Tests of gradient lines by angle, and of font sizes in pixels.
#include "scene/gradient_geometry.h"

#include "scene/font_size.h"

#include <gtest/gtest.h>

namespace render {
namespace {

struct GradientCase {
    RectF rect;
    float angle;
    GradientLine expected;
};

TEST(GradientGeometry, RunsAlongTheAngleFromCornerLineToCornerLine)
{
    const GradientCase cases[] = {
        {{0, 0, 200, 100}, 0, {{0, 50}, {200, 50}}},
        {{0, 0, 200, 100}, 90, {{100, 0}, {100, 100}}}, // downwards: clockwise on screen
        {{0, 0, 200, 100}, 180, {{200, 50}, {0, 50}}},
        {{10, 10, 100, 100}, 45, {{10, 10}, {110, 110}}}, // corner to corner on a square
        // Not scaled with the rectangle: 45 degrees stays 45 degrees on a wide one.
        {{0, 0, 200, 100}, 45, {{25, -25}, {175, 125}}},
    };
    for (const GradientCase& c : cases) {
        const GradientLine line = gradientLine(c.rect, c.angle);
        EXPECT_NEAR(line.start.x, c.expected.start.x, 1e-3) << c.angle;
        EXPECT_NEAR(line.start.y, c.expected.start.y, 1e-3) << c.angle;
        EXPECT_NEAR(line.end.x, c.expected.end.x, 1e-3) << c.angle;
        EXPECT_NEAR(line.end.y, c.expected.end.y, 1e-3) << c.angle;
    }
}

TEST(FontSize, ConvertsEveryUnitAtNinetySixPixelsPerInch)
{
    const std::pair<Font, std::optional<float>> cases[] = {
        {{"Arial", 12, 0, 3}, 16.0f},        {{"Arial", 12, 0, 2}, 12.0f},
        {{"Arial", 12, 0, 0}, 12.0f},        {{"Arial", 1, 0, 4}, 96.0f},
        {{"Arial", 300, 0, 5}, 96.0f},       {{"Arial", 25.4f, 0, 6}, 96.0f},
        {{"Arial", 12, 0, 1}, std::nullopt}, // display units are refused for fonts
        {{"Arial", 12, 0, 7}, std::nullopt}, {{"Arial", 0, 0, 3}, std::nullopt},
        {{"Arial", -4, 0, 3}, std::nullopt},
    };
    for (const auto& [font, expected] : cases)
        EXPECT_EQ(fontPixelSize(font), expected) << font.size << " unit " << font.unit;
}

} // namespace
} // namespace render
