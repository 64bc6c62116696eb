// Drawing TEXT objects.
#include "render/text_drawing.h"
#include "model/argument_text.h"

namespace render {
namespace {

constexpr RectF measuringBox{0, 0, 1000, 1000};

} // namespace

std::int32_t MeasureTextWidth(DrawingSurface& surface, std::string_view text, const Font& font,
                              const StringFormat& format)
{
    return model::truncateToInt32(surface.measureString(text, font, measuringBox, format).width);
}

std::int32_t MeasureTextHeight(DrawingSurface& surface, std::string_view text, const Font& font,
                               const StringFormat& format)
{
    return model::truncateToInt32(surface.measureString(text, font, measuringBox, format).height);
}

Point2D textPosition(const ObjectContext& context)
{
    return context.own2D(context.numbers.pt);
}

void drawTextObject(DrawingSurface& surface, const ObjectContext& context)
{
    const StringFormat format{model::truncateToInt32(context.numbers.p1)};
    const Brush brush = context.brush ? *context.brush : Brush{SolidBrush{context.pen.colour}};
    const Point2D position = textPosition(context);
    const std::int32_t width = MeasureTextWidth(surface, context.text, context.font, format);
    const std::int32_t height = MeasureTextHeight(surface, context.text, context.font, format);
    const RectF layout{position.x, position.y, static_cast<float>(width) + 1.0f,
                       static_cast<float>(height) + 1.0f};
    surface.drawString(context.text, context.font, brush, layout, format);
}

} // namespace render
