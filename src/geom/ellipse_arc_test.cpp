// Tests of ray angles turned into ellipse parameter angles.
#include "geom/ellipse_arc.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace geom {
namespace {

struct ArcCase {
    double width, height, start, sweep;
    ArcParameters expected;
};

// The parameter angle of ray angle `degrees` on an ellipse twice as wide as high.
double wideParameter(double degrees)
{
    const double radians = degrees * std::numbers::pi / 180;
    return std::atan2(2 * std::sin(radians), std::cos(radians)) * 180 / std::numbers::pi;
}

TEST(EllipseArc, RayAnglesBecomeParameterAngles)
{
    const double steep = wideParameter(45); // 63.43 degrees
    const ArcCase cases[] = {
        {100, 100, 30, 200, {30, 200}},                                // a circle keeps them
        {200, 100, 0, 90, {0, 90}},                                    // the axes stay
        {200, 100, 45, 45, {steep, 90 - steep}},                       // 45 degrees, wide
        {200, 100, 0, -45, {0, -steep}},                               // counter-clockwise
        {200, 100, 405, 10, {360 + steep, wideParameter(55) - steep}}, // a later turn
        {200, 100, 10, 720, {wideParameter(10), 360}},                 // at most one turn
        {0, 100, 45, 45, {45, 45}},                                    // no area
    };
    for (const ArcCase& c : cases) {
        const ArcParameters result = arcParameters(c.width, c.height, c.start, c.sweep);
        EXPECT_NEAR(result.start, c.expected.start, 1e-9) << c.start << " " << c.sweep;
        EXPECT_NEAR(result.sweep, c.expected.sweep, 1e-9) << c.start << " " << c.sweep;
    }
}

} // namespace
} // namespace geom
