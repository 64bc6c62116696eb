// 2D shape and curve branches.
#include "render/shape_drawing.h"

#include "scene/finite_runs.h"

#include <vector>

namespace render {

RectF shapeRectangle(const ObjectContext& context)
{
    const Quad& quad = context.numbers.quad;
    Point2D position{quad.x1, quad.y1};
    Point2D size{quad.x2, quad.y2};
    if (context.mapped()) size = {quad.x2 - quad.x1, quad.y2 - quad.y1};
    position = context.own2D(position);
    size = context.own2D(size);
    return {position.x, position.y, size.x, size.y};
}

std::vector<Point2D> ownPlanePoints(const ObjectContext& context)
{
    std::vector<Point2D> points = context.numbers.p2Points;
    if (context.own2d)
        for (Point2D& point : points)
            point = context.own2D(point);
    return points;
}

RectF pointBox(const ObjectContext& context)
{
    const Triple& tri = context.numbers.tri;
    const Point2D centre = context.own2D({tri.x, tri.y});
    const float size = tri.value;
    return {centre.x - size / 2, centre.y - size / 2, size, size};
}

void drawRectangleObject(DrawingSurface& surface, const ObjectContext& context)
{
    const RectF rect = shapeRectangle(context);
    if (context.brush)
        surface.fillRectangle(*context.brush, rect);
    else
        surface.drawRectangle(context.pen, rect);
}

void drawEllipseObject(DrawingSurface& surface, const ObjectContext& context)
{
    const RectF rect = shapeRectangle(context);
    if (context.brush)
        surface.fillEllipse(*context.brush, rect);
    else
        surface.drawEllipse(context.pen, rect);
}

void drawArcObject(DrawingSurface& surface, const ObjectContext& context)
{
    const Point2D angles = context.numbers.pt;
    surface.drawArc(context.strokePen(), shapeRectangle(context), angles.x, angles.y);
}

void drawPieObject(DrawingSurface& surface, const ObjectContext& context)
{
    const RectF rect = shapeRectangle(context);
    const Point2D angles = context.numbers.pt;
    if (context.brush)
        surface.fillPie(*context.brush, rect, angles.x, angles.y);
    else
        surface.drawPie(context.pen, rect, angles.x, angles.y);
}

void drawPointObject(DrawingSurface& surface, const ObjectContext& context)
{
    drawFilledEllipse(surface, context, pointBox(context));
}

void drawPolyObject(DrawingSurface& surface, const ObjectContext& context)
{
    // Only OWN2D figures need a moved copy of what may be a million points.
    std::vector<Point2D> moved;
    if (context.own2d) moved = ownPlanePoints(context);
    const std::span<const Point2D> points =
        context.own2d ? std::span<const Point2D>(moved) : context.numbers.p2Points;
    if (context.brush)
        surface.fillPolygon(*context.brush, points, FillMode::Alternate);
    else
        surface.drawPolyline(context.pen, points);
}

void drawBezierObject(DrawingSurface& surface, const ObjectContext& context)
{
    const std::vector<Point2D>& points = context.numbers.p2Points;
    if (points.size() != 4) return;
    surface.drawBezier(context.strokePen(), points[0], points[1], points[2], points[3]);
}

void drawOpenCurveObject(DrawingSurface& surface, const ObjectContext& context)
{
    const std::vector<Point2D>& points = context.numbers.p2Points;
    if (points.empty()) return;
    surface.drawCurve(context.strokePen(), points, context.numbers.p1);
}

void drawClosedCurveObject(DrawingSurface& surface, const ObjectContext& context)
{
    drawFilledClosedCurve(surface, context, context.numbers.p2Points);
}

void drawCurveObject(DrawingSurface& surface, const ObjectContext& context)
{
    drawBezierChain(surface, context.strokePen(), ownPlanePoints(context));
}

void drawBezierChain(DrawingSurface& surface, const Pen& pen, std::span<const Point2D> points)
{
    for (std::size_t i = 0; i + 2 < points.size(); i += 2)
        if (isFinite(points[i]) && isFinite(points[i + 1]) && isFinite(points[i + 2]))
            surface.drawBezier(pen, points[i], points[i + 1], points[i + 1], points[i + 2]);
}

void drawFilledEllipse(DrawingSurface& surface, const ObjectContext& context, const RectF& box)
{
    if (context.brush)
        surface.fillEllipse(*context.brush, box);
    else
        surface.drawEllipse(context.pen, box);
}

void drawFilledClosedCurve(DrawingSurface& surface, const ObjectContext& context,
                           std::span<const Point2D> points)
{
    if (points.empty()) return;
    if (context.brush)
        surface.fillClosedCurve(*context.brush, points, context.numbers.p1, FillMode::Alternate);
    else
        surface.drawClosedCurve(context.pen, points, context.numbers.p1);
}

} // namespace render
