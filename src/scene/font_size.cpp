// Font size units.
#include "scene/font_size.h"

#include <cmath>

namespace render {

std::optional<float> fontPixelSize(const Font& font)
{
    if (!(font.size > 0) || !std::isfinite(font.size)) return std::nullopt;
    switch (static_cast<FontUnit>(font.unit)) {
    case FontUnit::World:
    case FontUnit::Pixel:
        return font.size;
    case FontUnit::Point:
        return font.size * pixelsPerInch / 72;
    case FontUnit::Inch:
        return font.size * pixelsPerInch;
    case FontUnit::Document:
        return font.size * pixelsPerInch / 300;
    case FontUnit::Millimetre:
        return font.size * pixelsPerInch / 25.4f;
    case FontUnit::Display:
        break;
    }
    return std::nullopt;
}

} // namespace render
