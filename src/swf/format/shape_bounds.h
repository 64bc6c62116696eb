// The bounds a shape declares: the figure's whole client area, grown where the shape's edges
// (with half its line width) reach beyond it, so that players never cut a shape at its bounds.
#pragma once

#include "scene/style.h"
#include "swf/format/define_shape.h"
#include "swf/format/twips.h"

namespace swf {

// The extent of the outline's edges in the twips the movie holds them in (points kept within
// the coordinate limit), control points of curves included, grown by half the line width of
// `pen`; none for an empty outline.
std::optional<TwipsRect> outlineExtent(const ShapeOutline& outline, const render::Pen& pen);

// `frameRect`, grown to hold the outline's extent.
TwipsRect shapeBounds(const TwipsRect& frameRect, const ShapeOutline& outline,
                      const render::Pen& pen);

} // namespace swf
