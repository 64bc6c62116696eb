// Ray angles to parameter angles on an ellipse.
#include "geom/ellipse_arc.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace geom {
namespace {

constexpr double degrees = 180.0 / std::numbers::pi;

// The parameter angle of the point at ray angle `angle`, in the same turn as `angle`.
double parameterAngle(double halfWidth, double halfHeight, double angle)
{
    const double radians = angle / degrees;
    const double parameter =
        std::atan2(halfWidth * std::sin(radians), halfHeight * std::cos(radians)) * degrees;
    return parameter + 360.0 * std::round((angle - parameter) / 360.0);
}

} // namespace

ArcParameters arcParameters(double width, double height, double startAngle, double sweepAngle)
{
    const double sweep = std::clamp(sweepAngle, -360.0, 360.0);
    const double halfWidth = std::abs(width) / 2, halfHeight = std::abs(height) / 2;
    if (halfWidth == halfHeight || halfWidth == 0 || halfHeight == 0 || !std::isfinite(width) ||
        !std::isfinite(height) || !std::isfinite(startAngle) || !std::isfinite(sweep))
        return {startAngle, sweep};
    const double start = parameterAngle(halfWidth, halfHeight, startAngle);
    if (std::abs(sweep) == 360.0) return {start, sweep};
    const double end = parameterAngle(halfWidth, halfHeight, startAngle + sweep);
    return {start, end - start};
}

} // namespace geom
