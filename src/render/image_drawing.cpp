// Drawing IMAGE objects.
#include "render/image_drawing.h"

#include <fstream>

namespace render {
namespace {

bool canBeOpened(const std::string& path)
{
    if (path.empty()) return false;
    std::ifstream file(path, std::ios::binary);
    return file.is_open();
}

} // namespace

void drawImageObject(DrawingSurface& surface, const ObjectContext& context)
{
    const NumberLists& numbers = context.numbers;
    const Point2D point = context.own2D(numbers.p2Points.size() == 1 ? numbers.pt : Point2D{});
    const bool oneQuad = numbers.p4Quads.size() == 1;
    const Quad quad = oneQuad ? numbers.quad : Quad{};
    const Quad typed = oneQuad ? numbers.typedQuad : Quad{};
    if (!canBeOpened(context.text)) return;
    if (typed.x2 == 0 || typed.y2 == 0) {
        surface.drawImageFile(context.text, point);
        return;
    }
    const Point2D position = context.own2D({quad.x1, quad.y1});
    const Point2D size = context.mapped() ? Point2D{quad.x2 - quad.x1, quad.y2 - quad.y1}
                                          : Point2D{quad.x2, quad.y2};
    surface.drawImageFile(context.text, RectF{position.x, position.y, size.x, size.y});
}

} // namespace render
