// Fewer points for a long polyline on screen: the points a viewer cannot tell apart are dropped.
#pragma once

#include "geom/matrix2d.h"
#include "render/stroke_coverage.h"

#include <span>
#include <vector>

namespace render {

// How far the simplified line may stray, on the device.
struct SimplificationTolerance {
    double distance = 0.02; // pixels between a dropped point and the line that replaces it
    double maxTurn = 0.35;  // radians the line may turn at a kept point, so joins stay round
};

// A subset of `points`, first and last included, such that every dropped point lies within
// `tolerance.distance` of the kept segment that replaces it (measured after `toDevice`), the
// line turns by at most `tolerance.maxTurn` at a kept point, and no run folds back on itself
// by more than the distance. Runs in one pass over the points.
std::vector<geom::Point2D> simplifyPolyline(std::span<const geom::Point2D> points,
                                            const DeviceTransform& toDevice,
                                            const SimplificationTolerance& tolerance);

} // namespace render
