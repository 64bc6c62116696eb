// Styles from sub-objects.
#include "scene/object_styles.h"
#include "model/argument_text.h"

#include "scene/hatch_patterns.h"

namespace render {
namespace {

const std::string* argumentAt(const model::SubObject& sub, std::size_t index)
{
    return index < sub.arguments.size() ? &sub.arguments[index] : nullptr;
}

std::optional<Brush> gradientBrush(const model::SubObject& brushSpec,
                                   const geom::LayerRect& layerRect, std::uint32_t colour1,
                                   std::uint32_t colour2, float value)
{
    const RectF rect{static_cast<float>(layerRect.left), static_cast<float>(layerRect.top),
                     static_cast<float>(layerRect.right), static_cast<float>(layerRect.bottom)};
    if (!(rect.width > 0 && rect.height > 0)) return std::nullopt;
    LinearGradientBrush gradient{rect, colour1, colour2, value, std::nullopt};
    if (brushSpec.arguments.size() >= 9) {
        const auto number = [&](std::size_t i) {
            return model::parseNumber(brushSpec.arguments[i]);
        };
        gradient.angle = 0;
        gradient.transform =
            geom::Matrix2D{number(3), number(4), number(5), number(6), number(7), number(8)};
    }
    return gradient;
}

} // namespace

std::uint32_t penColour(std::uint32_t written)
{
    return (written & 0xFF000000u) == 0 ? written | 0xFF000000u : written;
}

std::uint32_t brushColour(std::uint32_t written)
{
    const std::uint32_t alpha = 255u - (written >> 24);
    const std::uint32_t red = written & 0xFFu;
    const std::uint32_t green = (written >> 8) & 0xFFu;
    const std::uint32_t blue = (written >> 16) & 0xFFu;
    return alpha << 24 | red << 16 | green << 8 | blue;
}

Pen CreateObjectPen(const model::SubObject* penSpec)
{
    if (!penSpec) return Pen{0xFF000000, 2.0f, 0, std::nullopt};
    Pen pen{0xFF000000, 1.0f, 0, std::nullopt};
    if (const std::string* size = argumentAt(*penSpec, 0))
        pen.width = static_cast<float>(model::truncateToInt32(model::parseNumber(*size)));
    if (const std::string* colour = argumentAt(*penSpec, 1))
        pen.colour = penColour(model::parseColour(*colour));
    if (const std::string* dash = argumentAt(*penSpec, 2))
        pen.dashStyle = model::truncateToInt32(model::parseNumber(*dash));
    return pen;
}

std::optional<Brush> CreateObjectBrush(const model::SubObject* brushSpec,
                                       const geom::LayerRect& layerRect)
{
    if (!brushSpec || brushSpec->arguments.empty()) return std::nullopt;
    const auto colourAt = [&](std::size_t index) {
        const std::string* text = argumentAt(*brushSpec, index);
        return brushColour(text ? model::parseColour(*text) : 0);
    };
    const std::uint32_t colour1 = colourAt(1);
    const std::uint32_t colour2 = colourAt(2);
    const std::string* valueText = argumentAt(*brushSpec, 3);
    const float value = valueText ? model::parseNumber(*valueText) : 0.0f;

    const std::string& type = brushSpec->arguments[0];
    if (model::equalsIgnoringCase(type, "solid")) return SolidBrush{colour1};
    if (model::equalsIgnoringCase(type, "gradient"))
        return gradientBrush(*brushSpec, layerRect, colour1, colour2, value);
    if (model::equalsIgnoringCase(type, "hatch")) {
        const std::int32_t style = model::truncateToInt32(value);
        if (!hatchPattern(style)) return std::nullopt;
        return HatchBrush{style, colour1, colour2};
    }
    return std::nullopt;
}

Font CreateObjectFont(const model::SubObject* fontSpec)
{
    if (!fontSpec) return Font{};
    Font font{"", 0.0f, 0, static_cast<std::int32_t>(FontUnit::Point)};
    if (const std::string* family = argumentAt(*fontSpec, 0)) font.family = *family;
    if (const std::string* size = argumentAt(*fontSpec, 1)) font.size = model::parseNumber(*size);
    if (const std::string* style = argumentAt(*fontSpec, 2))
        font.style = model::truncateToInt32(model::parseNumber(*style));
    if (const std::string* unit = argumentAt(*fontSpec, 3))
        font.unit = model::truncateToInt32(model::parseNumber(*unit));
    return font;
}

} // namespace render
