// Style queries shared by the draw pass and the movie writer.
#include "scene/style.h"

namespace render {

std::uint32_t solidColourOf(const Pen& pen)
{
    if (!pen.fill) return pen.colour;
    if (const auto* solid = std::get_if<SolidBrush>(&*pen.fill)) return solid->colour;
    if (const auto* hatch = std::get_if<HatchBrush>(&*pen.fill)) return hatch->foreground;
    return std::get<LinearGradientBrush>(*pen.fill).colour1;
}

} // namespace render
