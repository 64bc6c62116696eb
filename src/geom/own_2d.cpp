// Own-2D point arithmetic and the object world matrix.
#include "geom/own_2d.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace geom {
namespace {

// Truncation toward zero that saturates instead of overflowing (NaN gives 0).
std::int64_t truncateSaturating(float value)
{
    if (std::isnan(value)) return 0;
    constexpr float limit = 4.0e18f; // well within 64 bits
    if (value >= limit) return static_cast<std::int64_t>(limit);
    if (value <= -limit) return -static_cast<std::int64_t>(limit);
    return static_cast<std::int64_t>(value);
}

std::int32_t truncateToInt32Saturating(float value)
{
    const std::int64_t wide = truncateSaturating(value);
    if (wide > std::numeric_limits<std::int32_t>::max())
        return std::numeric_limits<std::int32_t>::max();
    if (wide < std::numeric_limits<std::int32_t>::min())
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(wide);
}

} // namespace

float own2DCentre(float c)
{
    if (std::isnan(c)) return 0.0f;
    constexpr float limit = 4.0e18f;
    return std::clamp(std::floor(c), -limit, limit);
}

Point2D applyOwn2D(const std::optional<Own2DTransform>& transform, Point2D point)
{
    if (!transform) return point;
    const float x = point.x + transform->dx;
    const float y = point.y + transform->dy;
    if (transform->angle == 0.0f) return {x, y};
    const float theta = transform->angle / 180.0f;
    const float cosine = std::cos(theta);
    const float sine = std::sin(theta);
    const float cx = own2DCentre(transform->cx);
    const float cy = own2DCentre(transform->cy);
    return {cx + (x - cx) * cosine - (y - cy) * sine, cy + (x - cx) * sine + (y - cy) * cosine};
}

IntPoint2D applyOwn2D(const std::optional<Own2DTransform>& transform, IntPoint2D point)
{
    const Point2D moved =
        applyOwn2D(transform, Point2D{static_cast<float>(point.x), static_cast<float>(point.y)});
    return {truncateToInt32Saturating(moved.x), truncateToInt32Saturating(moved.y)};
}

CornerPair applyOwn2D(const std::optional<Own2DTransform>& transform, const CornerPair& corners)
{
    return {applyOwn2D(transform, corners.first), applyOwn2D(transform, corners.second)};
}

Matrix2D objectWorldMatrix(const Matrix2D& viewTransform, const Matrix2D& objectMatrix)
{
    return Matrix2D::product(objectMatrix, viewTransform);
}

} // namespace geom
