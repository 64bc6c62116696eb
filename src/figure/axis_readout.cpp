// The coordinate readout: axis systems resolved as the draw pass resolves them, then the
// cursor mapped back through the view, the axis object's transform and the axis mapping.
#include "figure/axis_readout.h"

#include "geom/axis_mapping.h"
#include "model/object_views.h"
#include "scene/axis_record.h"
#include "scene/object_context.h"

#include <charconv>
#include <cmath>
#include <optional>
#include <vector>

namespace figure {

namespace {

bool isShown(const model::Figure& figure, const model::PlotObject& object)
{
    const std::int32_t frame = model::placementOf(object).frameId;
    return !object.hidden && frame >= 0 && static_cast<std::size_t>(frame) < figure.frames.size() &&
           figure.frames[static_cast<std::size_t>(frame)].frameFlag != 0;
}

// The device point before the view and the object's own transform (figures without own-2D).
std::optional<model::Point2D> undoTransforms(const model::Figure& figure,
                                             const model::PlotObject& object, model::Point2D p)
{
    if (figure.own2d) return p;
    model::Matrix2D world = figure.viewTransform;
    if (const auto own = model::transformMatrixOf(object))
        world = model::Matrix2D::product(*own, world);
    const float determinant = world.m11 * world.m22 - world.m12 * world.m21;
    if (determinant == 0 || !std::isfinite(determinant)) return std::nullopt;
    const float x = p.x - world.dx, y = p.y - world.dy;
    return model::Point2D{(x * world.m22 - y * world.m21) / determinant,
                          (y * world.m11 - x * world.m12) / determinant};
}

std::optional<model::Point2D> axisPointOf(const geom::LayerRect& rect, const geom::AxisWindow& axis,
                                          model::Point2D p)
{
    const float width = static_cast<float>(std::int64_t{rect.right} - rect.left);
    const float height = static_cast<float>(std::int64_t{rect.bottom} - rect.top);
    if (p.x < static_cast<float>(rect.left) || p.x > static_cast<float>(rect.right) ||
        p.y < static_cast<float>(rect.top) || p.y > static_cast<float>(rect.bottom) || width == 0 ||
        height == 0)
        return std::nullopt;
    const float x =
        axis.xFrom + (p.x - static_cast<float>(rect.left)) / width * (axis.xTo - axis.xFrom);
    const float y =
        axis.yTo - (p.y - static_cast<float>(rect.top)) / height * (axis.yTo - axis.yFrom);
    if (!std::isfinite(x) || !std::isfinite(y)) return std::nullopt;
    return model::Point2D{x, y};
}

std::string shortNumber(float value)
{
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(value),
                                      std::chars_format::general, 6);
    return std::string(buffer, result.ptr);
}

} // namespace

std::string readoutText(const model::Figure& figure, PixelPoint position)
{
    const model::Point2D device{static_cast<float>(position.x), static_cast<float>(position.y)};
    const render::DrawingArea drawing{
        {0, 0, figure.clientWidth, figure.clientHeight}, figure.layers, figure.own2d};
    std::vector<render::AxisRecord> axes;
    std::optional<model::Point2D> found;
    for (const model::PlotObject& object : figure.objects) {
        if (object.type != model::ObjectType::Axis || !isShown(figure, object)) continue;
        const render::ObjectContext context = render::resolveObjectContext(object, drawing, axes);
        const render::AxisRecord record =
            render::axisRecordOf(object, context.rect, context.transform3D);
        render::registerAxisRecord(axes, model::placementOf(object).axisId, record);
        if (record.is3D) continue;
        if (const auto local = undoTransforms(figure, object, device))
            if (const auto point = axisPointOf(context.rect, record.window, *local)) found = point;
    }
    if (!found) return "pixel " + std::to_string(position.x) + ", " + std::to_string(position.y);
    return "x " + shortNumber(found->x) + "   y " + shortNumber(found->y);
}

} // namespace figure
