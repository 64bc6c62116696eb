// Font sizes in device pixels: the size units of a font, read at 96 pixels per inch.
#pragma once

#include "scene/style.h"

#include <optional>

namespace render {

// Pixels per inch at which points, inches, documents and millimetres become pixels.
inline constexpr float pixelsPerInch = 96;
// The default GUI font: the generic sans-serif face at this many points.
inline constexpr float defaultGuiFontPoints = 8;

// The em size of `font` in pixels; none for a size that is not positive and finite, and for a
// unit the surface refuses (display, or a number outside 0 to 6). The surface then draws with
// the default GUI font.
std::optional<float> fontPixelSize(const Font& font);

} // namespace render
