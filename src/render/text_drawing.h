// TEXT objects, and measuring text as the draw pass and the axis numbers need it.
#pragma once

#include "scene/object_context.h"
#include "render/surface.h"

#include <cstdint>
#include <string_view>

namespace render {

// Width and height of the bounding box of `text` laid out in a 1000 x 1000 box at the origin,
// truncated to integers.
std::int32_t MeasureTextWidth(DrawingSurface& surface, std::string_view text, const Font& font,
                              const StringFormat& format);
std::int32_t MeasureTextHeight(DrawingSurface& surface, std::string_view text, const Font& font,
                               const StringFormat& format);

// Where a TEXT object's layout box starts: pt, moved by the own-2D mapping in OWN2D figures.
Point2D textPosition(const ObjectContext& context);

// The text at pt, with p1 as its string-format flags, painted with the brush, or without one
// in the pen's colour.
void drawTextObject(DrawingSurface& surface, const ObjectContext& context);

} // namespace render
