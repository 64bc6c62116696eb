// Reading the placement and transform sub-objects of an object.
#include "model/object_views.h"

#include "model/argument_text.h"

#include <array>

namespace model {

const SubObject* penSpecOf(const PlotObject& object)
{
    return findSubObject(object, SubObjectKind::Pen, 0);
}

const SubObject* brushSpecOf(const PlotObject& object, int occurrence)
{
    return findSubObject(object, SubObjectKind::Brush, occurrence);
}

const SubObject* fontSpecOf(const PlotObject& object)
{
    return findSubObject(object, SubObjectKind::Font, 0);
}
namespace {

// Argument `index` of `sub` as a number, or `fallback` when there is no such argument.
float numberAt(const SubObject& sub, std::size_t index, float fallback)
{
    return index < sub.arguments.size() ? parseNumber(sub.arguments[index]) : fallback;
}

std::int32_t integerAt(const SubObject& sub, std::size_t index)
{
    return index < sub.arguments.size() ? truncateToInt32(parseNumber(sub.arguments[index])) : 0;
}

} // namespace

Placement placementOf(const PlotObject& object)
{
    const SubObject* at = findSubObject(object, SubObjectKind::At, 0);
    if (!at) return {};
    const std::uint32_t figureId =
        at->arguments.empty() ? 0 : truncateToUint32(parseNumber(at->arguments[0]));
    return {figureId, integerAt(*at, 1), integerAt(*at, 2), integerAt(*at, 3)};
}

std::optional<Matrix2D> transformMatrixOf(const PlotObject& object)
{
    const SubObject* transform = findSubObject(object, SubObjectKind::Transform, 0);
    if (!transform || transform->arguments.size() < 6) return std::nullopt;
    return Matrix2D{numberAt(*transform, 0, 1), numberAt(*transform, 1, 0),
                    numberAt(*transform, 2, 0), numberAt(*transform, 3, 1),
                    numberAt(*transform, 4, 0), numberAt(*transform, 5, 0)};
}

std::optional<Own2DTransform> own2DTransformOf(const PlotObject& object)
{
    const SubObject* transform = findSubObject(object, SubObjectKind::Transform, 0);
    if (!transform) return std::nullopt;
    Own2DTransform result{numberAt(*transform, 0, 0), numberAt(*transform, 1, 0),
                          numberAt(*transform, 2, 1), numberAt(*transform, 3, 1)};
    if (transform->arguments.size() > 4) result.angle = numberAt(*transform, 4, 0);
    if (transform->arguments.size() > 6) {
        result.cx = numberAt(*transform, 5, 0);
        result.cy = numberAt(*transform, 6, 0);
    }
    return result;
}

Transform3D transform3DOf(const PlotObject& object)
{
    const SubObject* transform = findSubObject(object, SubObjectKind::Transform3D, 0);
    Transform3D result;
    if (!transform) return result;
    static constexpr std::array<float, 12> defaults = {0, 0, 0, 1, 1, 1, 0, 0, 0, 0, 0, 0};
    std::array<float, 12> values{};
    for (std::size_t i = 0; i < values.size(); ++i)
        values[i] = numberAt(*transform, i, defaults[i]);
    result = {values[0], values[1], values[2], values[3], values[4],  values[5],
              values[6], values[7], values[8], values[9], values[10], values[11]};
    if (result.scaleX == 0 && result.scaleY == 0 && result.scaleZ == 0)
        result.scaleX = result.scaleY = result.scaleZ = 1;
    return result;
}

} // namespace model
