// The pen, brush and font of an object, built from its first PEN, BRUSH and FONT sub-objects,
// and the two ways a written colour number is read.
#pragma once

#include "geom/layer_rect.h"
#include "model/sub_object.h"
#include "scene/style.h"

#include <cstdint>
#include <optional>

namespace render {

// A pen or background colour, written 0xAARRGGBB: an alpha of 0 is read as opaque.
std::uint32_t penColour(std::uint32_t written);
// A brush colour, written 0xTTBBGGRR: red is the lowest byte and alpha is 255 - TT.
std::uint32_t brushColour(std::uint32_t written);

// PEN(size,[colour],[dash]). Without a PEN: opaque black of width 2. The width is the size
// truncated to an integer (0 draws the thinnest line).
Pen CreateObjectPen(const model::SubObject* penSpec);

// BRUSH(solid|gradient|hatch,colour1,[colour2],[angle or matrix]). None without a BRUSH, for any
// other type word, for a hatch style the surface does not have (0 to 52), and for a gradient
// over a layer rectangle without area. A gradient spans `layerRect` read as x, y, width, height.
std::optional<Brush> CreateObjectBrush(const model::SubObject* brushSpec,
                                       const geom::LayerRect& layerRect);

// FONT(family,size,[style],[unit]); unit 3 (points) by default. Without a FONT: the default GUI
// font (an empty family). Finding an installed face for the family is the surface's part.
Font CreateObjectFont(const model::SubObject* fontSpec);

} // namespace render
