// The drawable form of the shapes a movie defines: outlines in pixels, their quadratic curves
// flattened into short straight pieces, with the fill and line styles each outline uses. Morph
// shapes are interpolated at a ratio first, edge by edge.
#pragma once

#include "swf/format/define_shape.h"
#include "swf/format/morph_shape.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace swf {

// Flattened points one shape may hold; a shape with more curves is flattened more coarsely,
// down to one straight piece per edge.
inline constexpr std::size_t maxFlattenedShapePoints = 4'000'000;

// One run of edges between style changes or moves.
struct ShapePath {
    std::vector<geom::Point2D> points; // pixels, in the shape's own space; the first is the move
    std::uint32_t fillStyle = 0;       // index into ShapeGeometry::fills from 1; 0 is no fill
    std::uint32_t lineStyle = 0;       // index into ShapeGeometry::lines from 1; 0 is no line
    bool operator==(const ShapePath&) const = default;
};

struct ShapeGeometry {
    std::vector<FillStyle> fills;
    std::vector<LineStyle> lines;
    std::vector<ShapePath> paths;
    bool operator==(const ShapeGeometry&) const = default;

    std::size_t pointCount() const;
};

ShapeGeometry shapeGeometryOf(const DefineShape3& shape);

// The morph at `ratio` (0 its start, 65535 its end): positions, widths, colours and gradient
// matrices each interpolated linearly. Edges pair up in order; a straight edge paired with a
// curve counts as a curve whose control point is its middle.
ShapeGeometry morphGeometryAt(const DefineMorphShape& morph, std::uint16_t ratio);

} // namespace swf
