// The two readings of an object's 2D transform: a world matrix in ordinary figures, and the
// program's own point arithmetic (translate, rotate, scale) in figures made with OWN2D.
#pragma once

#include "geom/matrix2d.h"
#include "model/transforms.h"

#include <cstdint>
#include <optional>

namespace geom {

using model::Own2DTransform;

struct IntPoint2D {
    std::int32_t x = 0, y = 0;
    bool operator==(const IntPoint2D&) const = default;
};

// A rectangle given by two corners (for the rectangle family: its position and its size pair).
struct CornerPair {
    Point2D first, second;
    bool operator==(const CornerPair&) const = default;
};

// Translates the point, then turns it about the centre (rounded down to whole device units) by
// angle / 180 radians. Without a transform (a figure without OWN2D) the point is unchanged.
Point2D applyOwn2D(const std::optional<Own2DTransform>& transform, Point2D point);
// The same for an integer point: converted to float, moved, truncated back.
IntPoint2D applyOwn2D(const std::optional<Own2DTransform>& transform, IntPoint2D point);
// Each corner moved on its own.
CornerPair applyOwn2D(const std::optional<Own2DTransform>& transform, const CornerPair& corners);

// The centre coordinate that the rotation uses for `c`: rounded down (toward minus infinity), and
// held within 4e18 either way (NaN gives 0).
float own2DCentre(float c);

// The matrix an object of an ordinary figure is drawn with: its own matrix first, then the
// figure's view matrix.
Matrix2D objectWorldMatrix(const Matrix2D& viewTransform, const Matrix2D& objectMatrix);

} // namespace geom
