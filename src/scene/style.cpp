// Style queries shared by the draw pass and the movie writer.
#include "scene/style.h"

namespace render {

std::uint32_t solidColourOf(const Pen& pen)
{
    if (!pen.fill) return pen.colour;
    if (const auto* solid = std::get_if<SolidBrush>(&*pen.fill)) return solid->colour;
    return 0xFF000000;
}

} // namespace render
