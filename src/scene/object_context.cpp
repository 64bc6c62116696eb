// Per-object working data.
#include "scene/object_context.h"

#include "model/object_views.h"
#include "scene/object_styles.h"

namespace render {
namespace {

// Bytes in the UTF-8 sequence that starts with `lead`.
std::size_t sequenceLength(unsigned char lead)
{
    if (lead >= 0xF0) return 4;
    if (lead >= 0xE0) return 3;
    if (lead >= 0xC0) return 2;
    return 1;
}

} // namespace

Pen ObjectContext::strokePen() const
{
    Pen stroke = pen;
    stroke.fill = brush;
    return stroke;
}

ObjectContext resolveObjectContext(const model::PlotObject& object, const DrawingArea& drawing,
                                   std::span<const AxisRecord> axes)
{
    const model::Placement placement = model::placementOf(object);
    ObjectContext context;
    context.object = &object;
    context.rect = drawing.area;
    const std::int64_t layerIndex = static_cast<std::int64_t>(placement.layerId) - 1;
    if (layerIndex >= 0 && static_cast<std::size_t>(layerIndex) < drawing.layers.size())
        context.rect = geom::layerRectangle(drawing.layers[static_cast<std::size_t>(layerIndex)],
                                            drawing.area.right, drawing.area.bottom);
    context.transform3D = model::transform3DOf(object);
    const std::int64_t axisIndex = static_cast<std::int64_t>(placement.axisId) - 1;
    if (axisIndex >= 0 && static_cast<std::size_t>(axisIndex) < axes.size()) {
        const AxisRecord& record = axes[static_cast<std::size_t>(axisIndex)];
        if (record.is3D)
            context.transform3D = record.transform3D;
        else
            context.axis = record.window;
    }
    context.text = objectText(object);
    context.brush = CreateObjectBrush(model::brushSpecOf(object), context.rect);
    context.pen = CreateObjectPen(model::penSpecOf(object));
    context.font = CreateObjectFont(model::fontSpecOf(object));
    if (drawing.own2d)
        context.own2d = model::own2DTransformOf(object).value_or(geom::Own2DTransform{});
    context.numbers = readNumberLists(object, context.rect, context.axis);
    return context;
}

std::string objectText(const model::PlotObject& object)
{
    const model::SubObject* name = model::findSubObject(object, model::SubObjectKind::Name, 0);
    if (!name || name->arguments.empty()) return {};
    const std::string& text = name->arguments.front();
    std::size_t units = 0, position = 0;
    while (position < text.size()) {
        const std::size_t length = sequenceLength(static_cast<unsigned char>(text[position]));
        const std::size_t codeUnits = length == 4 ? 2 : 1; // beyond the BMP: a surrogate pair
        if (units + codeUnits > maxObjectTextLength) break;
        units += codeUnits;
        position = std::min(text.size(), position + length);
    }
    return text.substr(0, position);
}

} // namespace render
