// Drawing shape geometry onto a drawing surface: each path's fill first, then the lines, as the
// movie's player does within one shape.
#pragma once

#include "render/surface.h"
#include "swf/play/shape_geometry.h"

namespace swf {

// The colour of a movie as an ARGB value.
std::uint32_t argbOf(const Rgba& colour);

// The record's 2D matrix in pixels (factors 16.16, translation in twips).
geom::Matrix2D matrixOf(const SwfMatrix& matrix);

// Draws `geometry` in the surface's current world transform. Linear gradients keep their first
// colour before their first ratio and their last colour after their last ratio.
void paintShape(render::DrawingSurface& surface, const ShapeGeometry& geometry);

} // namespace swf
