// The pixels a wide polyline covers, computed exactly in one pass over its points: the outline
// of the stroke (both sides of every segment, mitred joins, flat caps) is filled with the nonzero
// rule, each pixel's coverage being the area of the outline's winding inside it, up to full. A
// polyline of a million points costs a few passes over them instead of the time a general
// rasterizer needs for an outline of millions of edges, and no point is left out.
#pragma once

#include "geom/matrix2d.h"

#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

namespace render {

struct DevicePoint {
    double x = 0, y = 0;
    bool operator==(const DevicePoint&) const = default;
};

// From the coordinates of the points to device coordinates: x' = m11 x + m21 y + dx and
// y' = m12 x + m22 y + dy. It must keep shapes (turn, mirror, move and scale evenly), as the
// stroke is made on the device.
struct DeviceTransform {
    double m11 = 1, m12 = 0, m21 = 0, m22 = 1, dx = 0, dy = 0;
    bool operator==(const DeviceTransform&) const = default;
    DevicePoint map(geom::Point2D p) const
    {
        const double x = p.x, y = p.y;
        return {m11 * x + m21 * y + dx, m12 * x + m22 * y + dy};
    }
};

// Coverage of a rectangle of the device, 0 (none) to 255 (full) per pixel.
struct CoverageMask {
    std::int32_t left = 0, top = 0, width = 0, height = 0;
    std::vector<std::uint8_t> alpha; // width * height, row after row

    bool operator==(const CoverageMask&) const = default;
    std::uint8_t at(std::int32_t x, std::int32_t y) const
    {
        return alpha[static_cast<std::size_t>(y - top) * static_cast<std::size_t>(width) +
                     static_cast<std::size_t>(x - left)];
    }
};

// A rectangle of device pixels: columns `left` to `right` - 1, rows `top` to `bottom` - 1.
struct PixelArea {
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const PixelArea&) const = default;
    bool empty() const { return right <= left || bottom <= top; }
    bool contains(const PixelArea& other) const
    {
        return other.left >= left && other.top >= top && other.right <= right &&
               other.bottom <= bottom;
    }
    PixelArea intersected(const PixelArea& other) const
    {
        return {std::max(left, other.left), std::max(top, other.top), std::min(right, other.right),
                std::min(bottom, other.bottom)};
    }
};

struct StrokeShape {
    double width = 1; // device units
    // How far a miter may reach, in widths, from the end of a side to the miter point; a join
    // that would reach farther is cut square that far along both sides instead.
    double miterLimit = 2;
    bool operator==(const StrokeShape&) const = default;
};

// The coverage of the polyline through `points` (all finite), placed on the device by
// `toDevice` and stroked there with `shape`, within the device area (0, 0, deviceWidth,
// deviceHeight) and the stroke's bounds.
// Points equal to the one before them add nothing; fewer than two different points cover
// nothing. Joins follow the side they are on: the inner side of a turn runs through the point
// itself, the outer side meets in the miter point (or runs straight on where the miter would
// add less than a millionth of a pixel). Where parts of the stroke overlap their coverage adds
// up, to at most full.
CoverageMask polylineCoverage(std::span<const geom::Point2D> points,
                              const DeviceTransform& toDevice, const StrokeShape& shape,
                              std::int32_t deviceWidth, std::int32_t deviceHeight);

// The same within `area` (which may reach beyond the device) instead of the device area. When
// `reach` is given, it is set to the pixels the whole stroke can touch, as strokeBounds gives
// them without limits, found on the way.
CoverageMask polylineCoverage(std::span<const geom::Point2D> points,
                              const DeviceTransform& toDevice, const StrokeShape& shape,
                              const PixelArea& area, PixelArea* reach = nullptr);

// The pixels the stroke can touch (its points' bounds and a margin for the width and the
// miters), within `limits`; empty when the stroke covers nothing.
PixelArea strokeBounds(std::span<const geom::Point2D> points, const DeviceTransform& toDevice,
                       const StrokeShape& shape, const PixelArea& limits);

} // namespace render
