// Reading P1 to P4.
#include "scene/number_lists.h"
#include "model/argument_text.h"

#include <cmath>

namespace render {
namespace {

using model::ObjectType;
using model::SubObjectKind;

std::vector<float> readValues(const model::SubObject& sub)
{
    std::vector<float> values;
    values.reserve(sub.arguments.size());
    for (const std::string& argument : sub.arguments)
        values.push_back(model::parseNumber(argument));
    return values;
}

std::vector<Point2D> readPoints(const model::SubObject& sub, const geom::LayerRect& rect)
{
    std::vector<Point2D> points;
    const std::vector<std::string>& arguments = sub.arguments;
    points.reserve(arguments.size() / 2);
    for (std::size_t i = 0; i + 1 < arguments.size(); i += 2)
        points.push_back({readCoordinate(arguments[i], rect.right),
                          readCoordinate(arguments[i + 1], rect.bottom)});
    return points;
}

std::vector<Triple> readTriples(const model::SubObject& sub, const geom::LayerRect& rect)
{
    std::vector<Triple> triples;
    const std::vector<std::string>& arguments = sub.arguments;
    triples.reserve(arguments.size() / 3);
    for (std::size_t i = 0; i + 2 < arguments.size(); i += 3)
        triples.push_back({readCoordinate(arguments[i], rect.right),
                           readCoordinate(arguments[i + 1], rect.bottom),
                           model::parseNumber(arguments[i + 2])});
    return triples;
}

bool p2HoldsPositions(ObjectType type)
{
    return type != ObjectType::Arc && type != ObjectType::Pie && type != ObjectType::Function &&
           type != ObjectType::Function3A;
}

void mapIntoAxis(NumberLists& lists, ObjectType type, const geom::LayerRect& rect,
                 const geom::AxisWindow& axis)
{
    if (p2HoldsPositions(type))
        for (Point2D& point : lists.p2Points)
            point = geom::mapAxisPoint(rect, axis, point);
    const bool polar = type == ObjectType::Point && lists.p1 == 1.0f;
    for (Triple& triple : lists.p3Triples) {
        Point2D point{triple.x, triple.y};
        if (polar) point = {point.x * std::cos(point.y), point.x * std::sin(point.y)};
        point = geom::mapAxisPoint(rect, axis, point);
        triple.x = point.x;
        triple.y = point.y;
    }
    for (Quad& quad : lists.p4Quads) {
        const Point2D first = geom::mapAxisPoint(rect, axis, {quad.x1, quad.y1});
        const Point2D second = geom::mapAxisPoint(rect, axis, {quad.x2, quad.y2});
        quad = {first.x, first.y, second.x, second.y};
    }
}

} // namespace

float readCoordinate(std::string_view text, std::int32_t extent)
{
    const float value = model::parseNumber(text);
    return model::isPercent(text) ? geom::percentOf(value, extent) : value;
}

std::vector<Quad> readQuads(const model::SubObject& sub, const geom::LayerRect& rect)
{
    std::vector<Quad> quads;
    const std::vector<std::string>& arguments = sub.arguments;
    quads.reserve(arguments.size() / 4);
    for (std::size_t i = 0; i + 3 < arguments.size(); i += 4)
        quads.push_back({readCoordinate(arguments[i], rect.right),
                         readCoordinate(arguments[i + 1], rect.bottom),
                         readCoordinate(arguments[i + 2], rect.right),
                         readCoordinate(arguments[i + 3], rect.bottom)});
    return quads;
}

NumberLists readNumberLists(const model::PlotObject& object, const geom::LayerRect& rect,
                            const std::optional<geom::AxisWindow>& axis)
{
    NumberLists lists;
    if (const model::SubObject* p1 = model::findSubObject(object, SubObjectKind::P1, 0))
        lists.p1Values = readValues(*p1);
    if (const model::SubObject* p2 = model::findSubObject(object, SubObjectKind::P2, 0))
        lists.p2Points = readPoints(*p2, rect);
    if (const model::SubObject* p3 = model::findSubObject(object, SubObjectKind::P3, 0))
        lists.p3Triples = readTriples(*p3, rect);
    if (const model::SubObject* p4 = model::findSubObject(object, SubObjectKind::P4, 0))
        lists.p4Quads = readQuads(*p4, rect);
    if (!lists.p1Values.empty()) lists.p1 = lists.p1Values.front();
    if (!lists.p4Quads.empty()) lists.typedQuad = lists.p4Quads.front();
    if (axis) mapIntoAxis(lists, object.type, rect, *axis);
    if (!lists.p2Points.empty()) lists.pt = lists.p2Points.front();
    if (!lists.p3Triples.empty()) lists.tri = lists.p3Triples.front();
    if (!lists.p4Quads.empty()) lists.quad = lists.p4Quads.front();
    return lists;
}

} // namespace render
